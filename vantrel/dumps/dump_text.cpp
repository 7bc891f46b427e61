// Pieces the formats share: file types and hexadecimal.
#include "vantrel/dumps/dump_formats.h"

#include <cwctype>

namespace dumps {

namespace {

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

DumpFormat FormatOfFileName(std::wstring_view fileName) {
    const auto dot = fileName.rfind(L'.');
    if (dot == std::wstring_view::npos) return DumpFormat::Raw;
    std::wstring extension(fileName.substr(dot + 1));
    for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
    if (extension == L"json") return DumpFormat::Json;
    if (extension == L"txt") return DumpFormat::HexLines;
    return DumpFormat::Raw;
}

std::optional<Bytes> StrictHex(std::string_view text) {
    if (text.size() % 2 != 0) return std::nullopt;
    Bytes bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = DigitValue(text[i]);
        const int low = DigitValue(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
    }
    return bytes;
}

std::string HexOf(const Bytes& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (uint8_t byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

}  // namespace dumps
