// The program's hex text conversion: any text converts, and the text of any
// bytes converts back to them.
#include <string>

#include "fuzz_input.h"
#include "vantrel/toolkit/hex_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    const Bytes parsed = HexToBytes(text);
    FUZZ_CHECK(parsed.size() == ByteLimitOfCharLimit(text.size()));

    const Bytes raw(data, data + size);
    const std::wstring hex = BytesToHex(raw);
    FUZZ_CHECK(hex.size() == CharLimitOfByteLimit(raw.size()));
    FUZZ_CHECK(HexToBytes(hex) == raw);
    return 0;
}
