#include "vantrel/toolkit/hex_text.h"

namespace {

constexpr wchar_t kUpperDigits[] = L"0123456789ABCDEF";

}  // namespace

std::wstring BytesToHex(const uint8_t* bytes, std::size_t count) {
    if (bytes == nullptr) return std::wstring();
    std::wstring text;
    text.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        text.push_back(kUpperDigits[bytes[i] >> 4]);
        text.push_back(kUpperDigits[bytes[i] & 0x0F]);
    }
    return text;
}

std::wstring BytesToHex(std::span<const uint8_t> bytes) {
    return BytesToHex(bytes.data(), bytes.size());
}

int HexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return static_cast<int>(c);
}

Bytes HexToBytes(std::wstring_view text) {
    Bytes bytes;
    bytes.reserve(text.size() / 2 + 1);
    std::size_t i = 0;
    for (; i + 1 < text.size(); i += 2) {
        const unsigned high = static_cast<unsigned>(HexDigitValue(text[i]));
        const unsigned low = static_cast<unsigned>(HexDigitValue(text[i + 1]));
        bytes.push_back(static_cast<uint8_t>(16 * high + low));
    }
    if (i < text.size()) bytes.push_back(static_cast<uint8_t>(HexDigitValue(text[i])));
    return bytes;
}

void ToLowerAscii(wchar_t* text) {
    if (text == nullptr) return;
    for (; *text != L'\0'; ++text)
        if (*text >= L'A' && *text <= L'Z') *text = static_cast<wchar_t>(*text - L'A' + L'a');
}

std::array<uint8_t, 4> DwordToBytes(uint32_t value) {
    return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
}
