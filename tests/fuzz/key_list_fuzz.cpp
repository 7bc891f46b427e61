// Mifare key lists from any file: keys come out once each, or an error.
#include <algorithm>
#include <string_view>

#include "fuzz_input.h"
#include "vantrel/dumps/key_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const dumps::KeyList list = dumps::ParseKeyList(std::string_view(reinterpret_cast<const char*>(data), size));
    FUZZ_CHECK(list.error.empty() || list.keys.empty());
    for (std::size_t i = 0; i < list.keys.size(); ++i) {
        FUZZ_CHECK(std::count(list.keys.begin(), list.keys.end(), list.keys[i]) == 1);
    }
    return 0;
}
