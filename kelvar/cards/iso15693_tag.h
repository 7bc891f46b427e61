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
    Iso15693Tag(const Iso15693Tag&) = delete;
    Iso15693Tag& operator=(const Iso15693Tag&) = delete;
    virtual ~Iso15693Tag() = default;

    const VicinityUid& Uid() const { return profile_.uid; }
    std::string ImageName() const { return profile_.imageName; }
    // The IC manufacturer code, the UID's byte before the 0xE0 prefix.
    uint8_t MakerCode() const { return profile_.uid[6]; }
    uint8_t Dsfid() const { return image_[DsfidAt()]; }
    uint8_t Afi() const { return image_[AfiAt()]; }
    size_t BlockCount() const { return profile_.blockCount; }
    bool Addressed(std::span<const uint8_t> uid) const;

    // `out` receives kSystemInformationSize bytes.
    void SystemInformation(uint8_t* out) const;
    // `out` receives count * kBlockSize bytes.
    Status ReadBlocks(size_t first, size_t count, uint8_t* out) const;
    // The answer to a read request: per block its security status (with
    // the option flag) and its data. `out` has room for 255 bytes.
    virtual Status ReadAnswer(bool option, size_t first, size_t count, uint8_t* out, uint8_t* length) const;
    // `out` receives one security status byte per block.
    Status BlockSecurity(size_t first, size_t count, uint8_t* out) const;

    virtual Status WriteBlock(bool option, size_t block, const uint8_t* data);
    // `count` blocks at once: all stored or none.
    Status WriteBlocks(bool option, size_t first, size_t count, const uint8_t* data);

    // Commands of particular tag families; other tags refuse them (kCardError).
    // 8-byte pages: `out` receives the page.
    virtual Status ReadPage(size_t page, uint8_t* out) const;
    virtual Status WritePage(size_t page, const uint8_t* data);
    // One-byte blocks.
    virtual Status WriteByteBlock(size_t block, uint8_t data);
    // A custom command of the tag's maker (0xA0 to 0xDF) with its parameters
    // (what follows the maker code and the UID); `answer` receives what
    // follows the answer's flags byte. kCardError for a command the tag
    // does not have.
    virtual Status CustomCommand(uint8_t command, std::span<const uint8_t> parameters, Bytes& answer);
    Status LockBlock(bool option, size_t block);
    Status WriteDsfid(bool option, uint8_t dsfid);
    Status LockDsfid(bool option);
    Status WriteAfi(bool option, uint8_t afi);
    Status LockAfi(bool option);

protected:
    const Iso15693Profile& Profile() const { return profile_; }
    const Bytes& Image() const { return image_; }
    // Applies `change` to the image and stores it; the old image stays when
    // storing fails.
    template <typename Change>
    Status Commit(Change change);

private:
    // Image: block data, one lock byte per block, DSFID, AFI, lock flags.
    size_t LocksAt() const { return profile_.blockCount * kBlockSize; }
    size_t DsfidAt() const { return LocksAt() + profile_.blockCount; }
    size_t AfiAt() const { return DsfidAt() + 1; }
    size_t FlagsAt() const { return AfiAt() + 1; }
    size_t ImageSize() const { return FlagsAt() + 1; }

protected:
    size_t LockAt(size_t block) const { return LocksAt() + block; }

private:
    bool RangeValid(size_t first, size_t count) const;
    Status ChangeByte(bool option, size_t at, uint8_t lockFlag, uint8_t value);
    Status SetLockFlag(bool option, uint8_t lockFlag);

    ImageStore& store_;
    Iso15693Profile profile_;
    Bytes image_;
};

template <typename Change>
Status Iso15693Tag::Commit(Change change) {
    Bytes next = image_;
    change(next);
    if (!store_.Save(profile_.imageName, next)) return kStoreFailed;
    image_ = std::move(next);
    return kOk;
}

}  // namespace kelvar
