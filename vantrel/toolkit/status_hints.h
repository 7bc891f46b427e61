// Plain words beside a bare status: the reader library's statuses, the
// status words that end an APDU's answer, DESFire status bytes and ISO 15693
// error codes, each in both languages. The texts the log, the status field
// and the answer lists show stay as they are; these go beside them.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "vantrel/toolkit/ui_text.h"

struct HintRow {
    int32_t code;
    UiString text;
};

// The library's statuses: kelvar/status.h, and the one the program gives a
// function the library lacks.
std::span<const HintRow> LibraryStatusHints();
// Status words (SW1 SW2) with a hint of their own.
std::span<const HintRow> StatusWordHints();
// Status words whose low byte is a number the hint names (61xx, 63Cx, 6Cxx):
// code = the fixed bits, the text's "%d" takes the number.
std::span<const HintRow> CountedStatusWordHints();
std::span<const HintRow> DesfireStatusHints();
std::span<const HintRow> Iso15693ErrorHints();

// The hint for a library status; one the table lacks gets a general hint.
std::wstring StatusHint(int32_t status, int language = kLanguageIndex);

// How an answer carries the card's status.
enum class AnswerForm : uint8_t {
    None,           // raw bytes: no status
    StatusWord,     // an APDU's answer: SW1 SW2 last (91xx: a DESFire status)
    DesfireNative,  // a native DESFire answer: the status byte first
    Iso15693,       // an ISO 15693 answer: flags, and the error code when flagged
};

// The hint for what `answer` says of itself; empty when it carries no
// status or none the tables know.
std::wstring AnswerHint(AnswerForm form, std::span<const uint8_t> answer, int language = kLanguageIndex);
