// Reading a whole card into a dump and writing units of a dump back, through
// a CardLink, for every card type with a dump layout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vantrel/dumps/card_dump.h"
#include "vantrel/dumps/card_link.h"
#include "vantrel/dumps/dump_layout.h"
#include "vantrel/toolkit/card_secrets.h"

namespace dumps {

// Told before each step of a long operation; false stops it there.
class DumpProgress {
public:
    virtual ~DumpProgress() = default;
    virtual bool Step(int done, int total, const std::wstring& what) = 0;
};

// Why an operation stopped.
struct PlanFailure {
    enum class Kind {
        None,
        Status,     // a call failed: `status`, `function`
        BadAnswer,  // a call succeeded with an answer that cannot be used: `function`
        Message,    // `message`
        Cancelled,  // the operator stopped it
    };
    Kind kind = Kind::None;
    int32_t status = 0;
    const wchar_t* function = L"";
    std::wstring message;

    explicit operator bool() const { return kind != Kind::None; }
    static PlanFailure Call(int32_t status, const wchar_t* function) { return {Kind::Status, status, function, {}}; }
    static PlanFailure Answer(const wchar_t* function) { return {Kind::BadAnswer, 0, function, {}}; }
    static PlanFailure Text(std::wstring message) { return {Kind::Message, 0, L"", std::move(message)}; }
    static PlanFailure Stopped() { return {Kind::Cancelled, 0, L"", {}}; }
};

struct ReadRequest {
    const DumpLayout* layout = nullptr;
    std::wstring cardName;
    std::wstring time;
    CardSecrets secrets;
    std::vector<MifareKey> listKeys;    // a key list's, tried after the panel's
    const CardDump* keysFrom = nullptr;  // a dump whose sector keys and trailers are tried first
};

struct ReadResult {
    CardDump dump;
    PlanFailure failure;
};

ReadResult ReadCard(CardLink& link, DumpProgress& progress, const ReadRequest& request);

// What writing `file` back to a card that holds `card` (read just before)
// would do: the units that differ, by what happens to them.
struct WritePlan {
    std::vector<int> units;        // written
    std::vector<int> protectedUnits;  // differ in protected areas: written only when asked
    std::vector<int> notOpened;    // differ but the card's read did not reach them
    std::vector<int> locked;       // differ but locked on the card
    std::vector<int> fixed;        // differ in the maker's or read-only units: never written
    std::wstring refusal;          // when nothing at all may be written
};

WritePlan PlanWrite(const DumpLayout& layout, const CardDump& file, const CardDump& card, bool withProtected);

struct WriteResult {
    std::vector<int> written;
    int failedUnit = -1;
    PlanFailure failure;
};

// Writes `units` of `file` in order to the card that `card` was read from,
// in the session that read it; stops at the first failure.
WriteResult WriteUnits(CardLink& link, DumpProgress& progress, const ReadRequest& request,
                       const CardDump& file, const CardDump& card, const std::vector<int>& units);

}  // namespace dumps
