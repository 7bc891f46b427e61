// The command history file: any content loads within the list's limits, and a
// list of plain commands survives a save and a load unchanged.
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "vantrel/toolkit/command_history.h"

namespace {

bool Plain(const std::string& entry) {
    if (entry.empty() || entry.front() == ' ' || entry.front() == '\n') return false;
    return entry.find('\r') == std::string::npos && entry.find('\0') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CommandHistory history;
    history.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    FUZZ_CHECK(history.Count() <= CommandHistory::kLimit + 1);
    bool plain = true;
    for (size_t i = 0; i < history.Count(); ++i) {
        const std::string& entry = history.Get(i);
        FUZZ_CHECK(entry.size() <= CommandHistory::kLineLimit);
        FUZZ_CHECK(entry.find('\r') == std::string::npos);
        if (i > 0) FUZZ_CHECK(entry != history.Get(i - 1));
        plain = plain && Plain(entry);
    }
    if (plain) {
        CommandHistory again;
        again.Parse(history.Serialise());
        FUZZ_CHECK(again.Count() == history.Count());
        for (size_t i = 0; i < history.Count(); ++i) FUZZ_CHECK(again.Get(i) == history.Get(i));
    }
    return 0;
}
