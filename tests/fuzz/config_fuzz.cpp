// The configuration parser on any text.
#include <algorithm>
#include <string_view>

#include "fuzz_input.h"
#include "kelvar/reader/field_config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kelvar::FieldConfig config = kelvar::ParseFieldConfig(text, "dll");
    for (auto kind = config.field.begin(); kind != config.field.end(); ++kind) {
        FUZZ_CHECK(std::find(kind + 1, config.field.end(), *kind) == config.field.end());
    }
    FUZZ_CHECK(!config.imageFolder.empty());
    return 0;
}
