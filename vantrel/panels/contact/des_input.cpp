#include "vantrel/panels/contact/des_input.h"

#include "vantrel/toolkit/hex_text.h"

namespace {

constexpr std::size_t kKeyHalf = 8;
constexpr std::size_t kBlock = 8;

}  // namespace

DesInput CheckDesInput(std::wstring_view firstKey, std::wstring_view secondKey, std::wstring_view data) {
    DesInput input;
    if (ByteCountOfText(firstKey.size()) != kKeyHalf) {
        input.error = DesInputError::kKey;
        return input;
    }
    input.key = HexToBytes(firstKey);
    input.key.resize(kKeyHalf);
    // Any digit in the second edit asks for a 16-byte key.
    if (!HexToBytes(secondKey).empty()) {
        if (ByteCountOfText(secondKey.size()) != kKeyHalf) {
            input.error = DesInputError::kKey;
            return input;
        }
        const Bytes second = HexToBytes(secondKey);
        input.key.insert(input.key.end(), second.begin(), second.begin() + kKeyHalf);
    }
    const std::size_t count = ByteCountOfText(data.size());
    if (count == 0 || count % kBlock != 0) {
        input.error = DesInputError::kData;
        return input;
    }
    input.data = HexToBytes(data);
    input.data.resize(count);
    return input;
}
