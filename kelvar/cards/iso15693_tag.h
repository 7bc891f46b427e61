// An ISO 15693 vicinity tag: 8-byte UID, DSFID and AFI, blocks of 4 bytes
// with a lock bit each. Every change is in the tag's image on disk before
// the command returns.
//
// UIDs travel least significant byte first, as on the air (the last byte is
// the manufacturer prefix 0xE0). Some tags want the option flag on writes and
// locks (`optionRequired`); the reader passes it with the request.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

using VicinityUid = std::array<uint8_t, 8>;

struct Iso15693Profile {
    const char* imageName;
    VicinityUid uid;
    size_t blockCount;
    uint8_t icReference;
    bool optionRequired;
    uint8_t dsfid;
    uint8_t afi;
};

class Iso15693Tag {
public:
    static constexpr size_t kBlockSize = 4;
    static constexpr uint8_t kBlockLocked = 0x01;
    // Information flags, UID, DSFID, AFI, memory size (2), IC reference.
    static constexpr size_t kSystemInformationSize = 14;

    Iso15693Tag(ImageStore& store, const Iso15693Profile& profile);

    const VicinityUid& Uid() const { return profile_.uid; }
    uint8_t Dsfid() const { return image_[DsfidAt()]; }
    uint8_t Afi() const { return image_[AfiAt()]; }
    size_t BlockCount() const { return profile_.blockCount; }
    bool Addressed(std::span<const uint8_t> uid) const;

    // `out` receives kSystemInformationSize bytes.
    void SystemInformation(uint8_t* out) const;
    // `out` receives count * kBlockSize bytes.
    Status ReadBlocks(size_t first, size_t count, uint8_t* out) const;
    // `out` receives one security status byte per block.
    Status BlockSecurity(size_t first, size_t count, uint8_t* out) const;

    Status WriteBlock(bool option, size_t block, const uint8_t* data);
    Status LockBlock(bool option, size_t block);
    Status WriteDsfid(bool option, uint8_t dsfid);
    Status LockDsfid(bool option);
    Status WriteAfi(bool option, uint8_t afi);
    Status LockAfi(bool option);

private:
    // Image: block data, one lock byte per block, DSFID, AFI, lock flags.
    size_t LocksAt() const { return profile_.blockCount * kBlockSize; }
    size_t DsfidAt() const { return LocksAt() + profile_.blockCount; }
    size_t AfiAt() const { return DsfidAt() + 1; }
    size_t FlagsAt() const { return AfiAt() + 1; }
    size_t ImageSize() const { return FlagsAt() + 1; }
    bool RangeValid(size_t first, size_t count) const;
    // Applies `change` to the image and stores it; the old image stays when
    // storing fails.
    template <typename Change>
    Status Commit(Change change);
    Status ChangeByte(bool option, size_t at, uint8_t lockFlag, uint8_t value);
    Status SetLockFlag(bool option, uint8_t lockFlag);

    ImageStore& store_;
    Iso15693Profile profile_;
    Bytes image_;
};

}  // namespace kelvar
