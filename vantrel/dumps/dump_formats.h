// The three file formats of a dump: the raw memory image, hex lines and
// JSON (docs/dump-formats.md). Each reads back what it wrote; the readers
// take untrusted files and name the line or offset of what is wrong.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "vantrel/dumps/card_dump.h"
#include "vantrel/dumps/dump_layout.h"
#include "vantrel/toolkit/utf8_text.h"

namespace dumps {

enum class DumpFormat { Raw, HexLines, Json };

// The largest file a reader takes: far more than any dump.
inline constexpr std::size_t kMaxDumpFileSize = 1 << 20;

// The format a file name's extension gives: .json, .txt (hex lines), else raw.
DumpFormat FormatOfFileName(std::wstring_view fileName);

// The file's bytes. A raw image holds unread units as zeros.
std::string WriteDump(DumpFormat format, const CardDump& dump);

struct ParsedDump {
    std::optional<CardDump> dump;
    std::wstring error;  // when there is no dump: what is wrong and where
};

// A raw image names no card type: it is read as a dump of `rawLayout`, named
// `rawCardName`, and must have exactly that card's size. The other formats
// name their card type, which must have a layout.
ParsedDump ReadDump(DumpFormat format, std::string_view content, const DumpLayout& rawLayout,
                    const std::wstring& rawCardName);

// Strict hexadecimal: an even number of digits, nothing else.
std::optional<Bytes> StrictHex(std::string_view text);
std::string HexOf(const Bytes& bytes);

}  // namespace dumps
