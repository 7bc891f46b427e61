#include "kelvar/cards/mifare_classic.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

#include "kelvar/cards/mifare_value.h"

namespace kelvar {

namespace {

constexpr std::array<uint8_t, 4> kTransportAccess{0xFF, 0x07, 0x80, 0x69};
constexpr std::array<uint8_t, 8> kManufacturerData{0x4B, 0x45, 0x4C, 0x56, 0x41, 0x52, 0x10, 0x01};

// Trailer parts: key A, access bits with the general-purpose byte, key B.
constexpr int kKeyAOffset = 0;
constexpr int kAccessOffset = 6;
constexpr int kAccessSize = 4;
constexpr int kKeyBOffset = 10;

bool SameBytes(const uint8_t* a, const uint8_t* b, int count) { return std::equal(a, a + count, b); }

}  // namespace

MifareClassicCard::MifareClassicCard(mifare::CardSize size, Bytes uid, ImageStore& store, std::string imageName)
    : TypeACard(store, std::move(imageName), FactoryImage(size)), size_(size), uid_(std::move(uid)) {
    if (!IsValidUid(uid_)) throw std::invalid_argument("Mifare Classic UID must have 4 or 7 bytes");
    WriteManufacturerBlock();
}

std::array<uint8_t, 2> MifareClassicCard::Atqa() const {
    const uint8_t size = size_ == mifare::CardSize::k1K ? 0x04 : 0x02;
    const uint8_t uidBits = uid_.size() == 7 ? 0x40 : 0x00;
    return {static_cast<uint8_t>(uidBits | size), 0x00};
}

uint8_t MifareClassicCard::Sak() const { return size_ == mifare::CardSize::k1K ? 0x08 : 0x18; }

Bytes MifareClassicCard::FactoryImage(mifare::CardSize size) {
    Bytes image(static_cast<size_t>(mifare::BlockCount(size)) * mifare::kBlockSize, 0x00);
    for (int sector = 0; sector < mifare::SectorCount(size); ++sector) {
        uint8_t* trailer = BlockAt(image, mifare::TrailerOfSector(sector));
        std::fill(trailer, trailer + mifare::kBlockSize, 0xFF);
        std::copy(kTransportAccess.begin(), kTransportAccess.end(), trailer + kAccessOffset);
    }
    return image;
}

void MifareClassicCard::WriteManufacturerBlock() {
    uint8_t* block = BlockAt(LoadedImage(), 0);
    const auto atqa = Atqa();
    size_t at = 0;
    for (uint8_t byte : uid_) block[at++] = byte;
    if (uid_.size() == 4) block[at++] = static_cast<uint8_t>(uid_[0] ^ uid_[1] ^ uid_[2] ^ uid_[3]);
    block[at++] = Sak();
    block[at++] = atqa[0];
    block[at++] = atqa[1];
    for (size_t i = 0; at < mifare::kBlockSize; ++i) block[at++] = kManufacturerData[i];
}

Status MifareClassicCard::OnAuthenticate(int keyType, int block, const uint8_t* key) {
    if ((keyType != kAuthKeyA && keyType != kAuthKeyB) || !ValidBlock(block)) return kBadArgument;
    const int sector = mifare::SectorOfBlock(block);
    const uint8_t* trailer = BlockAt(mifare::TrailerOfSector(sector));
    const mifare::Key which = keyType == kAuthKeyA ? mifare::Key::kA : mifare::Key::kB;
    const uint8_t* stored = trailer + (which == mifare::Key::kA ? kKeyAOffset : kKeyBOffset);
    if (!SameBytes(stored, key, kKeySize)) return kAuthFailed;
    authSector_ = sector;
    authKey_ = which;
    return kOk;
}

Status MifareClassicCard::CheckAuthenticated(int block) const {
    return authSector_ >= 0 && mifare::SectorOfBlock(block) == authSector_ ? kOk : kNotAuthenticated;
}

std::optional<mifare::Conditions> MifareClassicCard::ConditionsOf(int block) const {
    const uint8_t* trailer = BlockAt(mifare::TrailerOfSector(mifare::SectorOfBlock(block)));
    return mifare::DecodeAccessBits(std::span<const uint8_t, 3>(trailer + kAccessOffset, 3));
}

MifareClassicCard::DataGrant MifareClassicCard::GrantedOnData(int block) const {
    const auto conditions = ConditionsOf(block);
    if (!conditions) return {};
    const auto rights = mifare::DataBlockRights((*conditions)[mifare::AccessGroupOfBlock(block)]);
    const auto grants = [&](uint8_t mask) { return mifare::KeyGrants(mask, authKey_, (*conditions)[3]); };
    return {grants(rights.read), grants(rights.write), grants(rights.increment), grants(rights.decrement)};
}

MifareClassicCard::TrailerGrant MifareClassicCard::GrantedOnTrailer(int block) const {
    const auto conditions = ConditionsOf(block);
    if (!conditions) return {};
    const auto rights = mifare::TrailerBlockRights((*conditions)[3]);
    const auto grants = [&](uint8_t mask) { return mifare::KeyGrants(mask, authKey_, (*conditions)[3]); };
    return {grants(rights.keyAWrite), grants(rights.accessRead), grants(rights.accessWrite),
            grants(rights.keyBRead), grants(rights.keyBWrite)};
}

Status MifareClassicCard::OnRead(int block, uint8_t* data) {
    if (!ValidBlock(block)) return kBadArgument;
    if (const Status status = CheckAuthenticated(block); status != kOk) return status;
    const uint8_t* stored = BlockAt(block);
    if (!mifare::IsTrailer(block)) {
        if (!GrantedOnData(block).read) return kAccessDenied;
        std::memcpy(data, stored, mifare::kBlockSize);
        return kOk;
    }
    const TrailerGrant grant = GrantedOnTrailer(block);
    if (!grant.accessRead) return kAccessDenied;
    std::memset(data, 0, mifare::kBlockSize);
    std::memcpy(data + kAccessOffset, stored + kAccessOffset, kAccessSize);
    if (grant.keyBRead) std::memcpy(data + kKeyBOffset, stored + kKeyBOffset, kKeySize);
    return kOk;
}

Status MifareClassicCard::OnWriteBlock(int block, const uint8_t* data) {
    if (!ValidBlock(block)) return kBadArgument;
    if (const Status status = CheckAuthenticated(block); status != kOk) return status;
    if (block == 0) return kAccessDenied;
    if (mifare::IsTrailer(block)) return WriteTrailer(block, data);
    if (!GrantedOnData(block).write) return kAccessDenied;
    Bytes image = Image();
    std::memcpy(BlockAt(image, block), data, mifare::kBlockSize);
    return Commit(std::move(image));
}

// Damaged access bits would lock the sector for good, so they are refused.
// A part the key may not write must be written unchanged: the write then
// either does everything it asks for or nothing.
Status MifareClassicCard::WriteTrailer(int block, const uint8_t* data) {
    if (!mifare::DecodeAccessBits(std::span<const uint8_t, 3>(data + kAccessOffset, 3))) return kAccessDenied;
    const TrailerGrant grant = GrantedOnTrailer(block);
    if (!grant.keyAWrite && !grant.accessWrite && !grant.keyBWrite) return kAccessDenied;
    const uint8_t* stored = BlockAt(block);
    const auto unchanged = [&](int offset, int size) {
        return SameBytes(stored + offset, data + offset, size);
    };
    if ((!grant.keyAWrite && !unchanged(kKeyAOffset, kKeySize)) ||
        (!grant.accessWrite && !unchanged(kAccessOffset, kAccessSize)) ||
        (!grant.keyBWrite && !unchanged(kKeyBOffset, kKeySize)))
        return kAccessDenied;
    Bytes image = Image();
    std::memcpy(BlockAt(image, block), data, mifare::kBlockSize);
    return Commit(std::move(image));
}

Status MifareClassicCard::OnInitValue(int block, int32_t value) {
    if (!ValidBlock(block)) return kBadArgument;
    if (const Status status = CheckAuthenticated(block); status != kOk) return status;
    if (block == 0) return kAccessDenied;
    if (mifare::IsTrailer(block)) return kNotValueBlock;
    if (!GrantedOnData(block).write) return kAccessDenied;
    const auto encoded = EncodeValueBlock(value, static_cast<uint8_t>(block));
    Bytes image = Image();
    std::copy(encoded.begin(), encoded.end(), BlockAt(image, block));
    return Commit(std::move(image));
}

Status MifareClassicCard::OnIncrement(int block, int32_t operand) { return ChangeValue(block, operand, true); }

Status MifareClassicCard::OnDecrement(int block, int32_t operand) { return ChangeValue(block, operand, false); }

// A negative operand would turn a debit into a credit and get round the
// access conditions, which may allow decrement but not increment.
Status MifareClassicCard::ChangeValue(int block, int32_t operand, bool increment) {
    if (!ValidBlock(block) || operand < 0) return kBadArgument;
    if (const Status status = CheckAuthenticated(block); status != kOk) return status;
    if (block == 0) return kAccessDenied;
    if (mifare::IsTrailer(block)) return kNotValueBlock;
    const DataGrant grant = GrantedOnData(block);
    // The result is transferred back, which needs the decrement right too.
    if (!grant.decrement || (increment && !grant.increment)) return kAccessDenied;
    const auto current = DecodeValueBlock(std::span<const uint8_t, 16>(BlockAt(block), 16));
    if (!current) return kNotValueBlock;
    const int64_t result = static_cast<int64_t>(current->value) + (increment ? operand : -int64_t{operand});
    if (result > std::numeric_limits<int32_t>::max() || result < std::numeric_limits<int32_t>::min())
        return kValueOverflow;
    const auto encoded = EncodeValueBlock(static_cast<int32_t>(result), current->address);
    Bytes image = Image();
    std::copy(encoded.begin(), encoded.end(), BlockAt(image, block));
    return Commit(std::move(image));
}

Status MifareClassicCard::OnReadValue(int block, int32_t* value) {
    if (!ValidBlock(block)) return kBadArgument;
    if (const Status status = CheckAuthenticated(block); status != kOk) return status;
    if (mifare::IsTrailer(block)) return kNotValueBlock;
    if (!GrantedOnData(block).read) return kAccessDenied;
    const auto current = DecodeValueBlock(std::span<const uint8_t, 16>(BlockAt(block), 16));
    if (!current) return kNotValueBlock;
    *value = current->value;
    return kOk;
}

}  // namespace kelvar
