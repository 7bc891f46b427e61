// The dump file readers on any file: raw images for every card type, hex
// lines and JSON. A file read as a dump is one the checks accept, and what
// its format writes of it reads back the same.
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "vantrel/dumps/dump_checks.h"
#include "vantrel/dumps/dump_formats.h"

using namespace dumps;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const DumpFormat format = static_cast<DumpFormat>(data[0] % 3);
    const int codes[] = {0, 1, 2, 4, 5, 9, 10, 13, 19, 20, 22, 23, 26, 27, 28, 29};
    const DumpLayout& raw = *FindDumpLayout(codes[size > 1 ? data[1] % 16 : 0]);
    const std::string_view content(reinterpret_cast<const char*>(data) + 1, size - 1);
    const ParsedDump parsed = ReadDump(format, content, raw, L"card");
    FUZZ_CHECK(parsed.dump.has_value() == parsed.error.empty());
    if (!parsed.dump) return 0;
    FUZZ_CHECK(CheckDump(*parsed.dump).empty());
    const ParsedDump again = ReadDump(format, WriteDump(format, *parsed.dump), raw, L"card");
    FUZZ_CHECK(again.dump && *again.dump == *parsed.dump);
    return 0;
}
