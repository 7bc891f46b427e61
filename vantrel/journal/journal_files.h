// The call journal's files: JSON Lines (a header object, then one object per
// call) and CSV (one row per call, the buffers as hex columns), written from
// the journal with keys masked or as typed, and JSON Lines read back from
// untrusted files. docs/call-journal.md describes both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "vantrel/journal/call_journal.h"
#include "vantrel/toolkit/bytes.h"
#include "vantrel/toolkit/ui_text.h"

namespace journal {

// A moment as the saving machine's clock shows it.
struct LocalTime {
    int year, month, day, hour, minute, second, millisecond;
    int offsetMinutes;  // ahead of UTC
};

struct SaveOptions {
    bool maskKeys = true;
    std::string program;   // the program and version that saved it
    int64_t savedMicros = 0;
    std::function<std::wstring(int32_t code)> cardName;  // none: the code alone
    std::function<LocalTime(int64_t micros)> localTime;  // none: UTC
    int language = kLanguageIndex;                       // of the hints
};

// Masked bytes are written as "**".
inline constexpr std::string_view kMaskedByte = "**";
// Upper-case hex, "**" for each byte `masked` flags (none when it is empty).
std::string MaskedHex(std::span<const uint8_t> bytes, const std::vector<bool>& masked);

std::string JournalLines(const CallJournal& journal, const SaveOptions& options);
std::string JournalCsv(const CallJournal& journal, const SaveOptions& options);

// The file's form, from its name: CSV for ".csv" (any case), else JSON Lines.
enum class JournalFormat : uint8_t { Lines, Csv };
JournalFormat JournalFormatOf(std::wstring_view fileName);
std::string JournalText(JournalFormat format, const CallJournal& journal, const SaveOptions& options);

// Bytes read back: those saved masked are zero here and flagged.
struct JournalBytes {
    Bytes bytes;
    std::vector<bool> masked;  // empty when none is
    bool AnyMasked() const;
};

struct JournalArgument {
    bool pointer = false;
    bool null = false;
    int64_t value = 0;
    std::optional<JournalBytes> in;
    std::optional<JournalBytes> out;
};

struct JournalCall {
    size_t line;
    uint64_t sequence;
    int ordinal;
    std::string function;
    int32_t status;
    std::vector<JournalArgument> arguments;
};

struct JournalProblem {
    size_t line;
    std::string text;
};

struct ParsedJournal {
    bool header = false;
    uint64_t dropped = 0;
    bool keysMasked = false;
    std::vector<JournalCall> calls;
    std::vector<JournalProblem> problems;  // damaged lines, skipped
};

// Lines longer than this are damaged; buffers hold at most kLongestBuffer bytes.
inline constexpr size_t kLongestLine = 1u << 20;
inline constexpr size_t kLongestBuffer = 64u << 10;

// Every line that is a call of the function list with its arguments as the
// list has them; any other line is a problem with its number (from 1).
ParsedJournal ParseJournal(std::string_view content);

}  // namespace journal
