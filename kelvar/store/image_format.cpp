#include "kelvar/store/image_format.h"

#include <algorithm>
#include <array>

#include "common/crc32.h"

namespace kelvar {

namespace {

constexpr std::array<uint8_t, 8> kMagic = {'K', 'V', 'I', 'M', 'G', 0x1A, 1, 0};
constexpr size_t kMagicPrefix = 6;  // "KVIMG" 0x1A: any format version

void PutU32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetU32(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
           (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}

uint32_t KindOf(std::string_view name) {
    return checksum::Crc32({reinterpret_cast<const uint8_t*>(name.data()), name.size()});
}

uint32_t Checksum(std::span<const uint8_t> headerStart, std::span<const uint8_t> image) {
    return checksum::Crc32(image, checksum::Crc32(headerStart));
}

std::string SizeText(size_t size) { return std::to_string(size) + (size == 1 ? " byte" : " bytes"); }

ImageDamage Damage(std::string reason) { return ImageDamage{std::move(reason)}; }

std::variant<Bytes, ImageDamage> DecodeHeadered(std::string_view name, size_t expectedSize,
                                                std::span<const uint8_t> file) {
    if (file.size() < kImageHeaderSize) return Damage("header cut short");
    if (!std::equal(kMagic.begin(), kMagic.end(), file.begin())) return Damage("unknown format version");
    if (GetU32(file.data() + 20) != 0) return Damage("header damaged");
    if (GetU32(file.data() + 8) != KindOf(name)) return Damage("image of another card");
    const uint32_t length = GetU32(file.data() + 12);
    const size_t body = file.size() - kImageHeaderSize;
    if (length != body) {
        return Damage(length > body ? "truncated: " + SizeText(body) + " of " + SizeText(length)
                                    : "bytes after the image");
    }
    const auto image = file.subspan(kImageHeaderSize);
    if (GetU32(file.data() + 16) != Checksum(file.first(16), image)) return Damage("checksum mismatch");
    if (length != expectedSize) {
        return Damage("image of " + SizeText(length) + ", the card holds " + SizeText(expectedSize));
    }
    return Bytes(image.begin(), image.end());
}

}  // namespace

Bytes EncodeImageFile(std::string_view name, std::span<const uint8_t> image) {
    Bytes file(kImageHeaderSize + image.size(), 0);
    std::copy(kMagic.begin(), kMagic.end(), file.begin());
    PutU32(file.data() + 8, KindOf(name));
    PutU32(file.data() + 12, static_cast<uint32_t>(image.size()));
    std::copy(image.begin(), image.end(), file.begin() + kImageHeaderSize);
    PutU32(file.data() + 16, Checksum(std::span<const uint8_t>(file).first(16), image));
    return file;
}

std::variant<Bytes, ImageDamage> DecodeImageFile(std::string_view name, size_t expectedSize,
                                                 std::span<const uint8_t> file) {
    if (file.size() >= kMagicPrefix && std::equal(kMagic.begin(), kMagic.begin() + kMagicPrefix, file.begin())) {
        return DecodeHeadered(name, expectedSize, file);
    }
    // A raw image from before the header. Lost writes leave empty or
    // zero-filled files, which no card's image can be.
    if (file.empty()) return Damage("empty file");
    if (std::all_of(file.begin(), file.end(), [](uint8_t b) { return b == 0; })) return Damage("zero-filled");
    if (file.size() != expectedSize) {
        return Damage(file.size() > expectedSize ? "raw image larger than the card's " + SizeText(expectedSize)
                                                 : "raw image of " + SizeText(file.size()) + ", the card holds " +
                                                       SizeText(expectedSize));
    }
    return Bytes(file.begin(), file.end());
}

}  // namespace kelvar
