// Page-addressed ISO 14443-A tags with a 7-byte UID (16-byte reads of four
// pages, 4-byte page writes). The base keeps the activation state
// (idle, ready, active, halted) and the memory image; every change is saved
// through the image store before the call returns.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "kelvar/cards/iso14443a_activation.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

using TagUid = std::array<uint8_t, 7>;

class UltralightFamilyTag {
public:
    static constexpr size_t kPageSize = 4;
    static constexpr size_t kUidSize = 7;
    static constexpr size_t kReadSize = 16;
    static constexpr size_t kAtqaSize = 2;
    static constexpr uint8_t kRequestIdle = Iso14443aActivation::kRequestIdle;
    static constexpr uint8_t kRequestAll = Iso14443aActivation::kRequestAll;

    UltralightFamilyTag(const UltralightFamilyTag&) = delete;
    UltralightFamilyTag& operator=(const UltralightFamilyTag&) = delete;
    virtual ~UltralightFamilyTag() = default;

    // The field went off: the tag loses power, its halt and its session.
    void FieldReset();

    // 0x26 wakes tags that are not halted, 0x52 every tag. Writes the
    // 2-byte answer to request (0x44 0x00).
    Status Request(uint8_t mode, uint8_t* atqa);

    // Selects a tag that answered a request; writes its 7-byte UID.
    Status Select(uint8_t* uid);

    Status Halt();

    // Reads four pages from `page` into 16 bytes of `out`, continuing at
    // page 0 past the end of the readable memory.
    Status Read(uint8_t page, uint8_t* out);

    // Writes 4 bytes to `page` under the tag's lock rules.
    Status Write(uint8_t page, const uint8_t* data);

    bool IsSelected() const { return activation_.IsActive(); }
    TagUid Uid() const;
    size_t PageCount() const { return image_.size() / kPageSize; }
    const Bytes& Image() const { return image_; }

protected:
    // Uses the stored image of `imageName` when there is one of the right
    // size, else `factoryImage`.
    UltralightFamilyTag(ImageStore& store, std::string imageName, Bytes factoryImage);

    // An image of `pageCount` zero pages holding `uid` and its check bytes.
    static Bytes BlankImage(size_t pageCount, const TagUid& uid);

    // The end of the memory a read from `page` may see (the wrap-around
    // point), or the refusal of that read.
    virtual Status ReadableEnd(unsigned page, unsigned& end) const;

    // Applies a write of `page` to `image` (a copy of the tag's image).
    virtual Status ApplyWrite(unsigned page, const uint8_t* data, Bytes& image) const = 0;

    // Called whenever the tag leaves the active state.
    virtual void EndSession() {}

    // Back to idle, as after a refused authentication.
    void Deactivate();

    // Saves `image` and makes it the tag's memory; on a failed save nothing changes.
    Status Commit(Bytes image);

private:
    // Ends the session of an active tag before it changes state.
    void LeaveActive();

    ImageStore& store_;
    std::string imageName_;
    Bytes image_;
    Iso14443aActivation activation_;
};

}  // namespace kelvar
