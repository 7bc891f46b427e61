#include "kelvar/cards/vicinity_variants.h"

#include <algorithm>

namespace kelvar {

namespace {

constexpr uint8_t kAddressedHighRate = 0x22;
constexpr uint8_t kConfigParameter = 0x90;

}  // namespace

Status PagedVicinityTag::ReadPage(size_t page, uint8_t* out) const {
    if (page >= PageCount()) return kBadArgument;
    return ReadBlocks(page * kBlocksPerPage, kBlocksPerPage, out);
}

Status PagedVicinityTag::WritePage(size_t page, const uint8_t* data) {
    if (page >= PageCount()) return kBadArgument;
    return WriteBlocks(Profile().optionRequired, page * kBlocksPerPage, kBlocksPerPage, data);
}

Status ConfigBlockVicinityTag::WriteBlock(bool option, size_t block, const uint8_t* data) {
    if (block == kConfigBlock) return kAccessDenied;
    return Iso15693Tag::WriteBlock(option, block, data);
}

Status ConfigBlockVicinityTag::AnswerCustomRequest(std::span<const uint8_t> frame, uint8_t* out,
                                                   uint8_t* length) {
    if (out == nullptr || length == nullptr || frame.size() != kCustomFrameSize) return kBadArgument;
    if (frame[0] != kAddressedHighRate || frame[1] != kCustomCommand || frame[2] != kMakerCode) return kCardError;
    if (!Addressed(frame.subspan(3, Uid().size()))) return kNoCard;
    const size_t index = frame[14];
    if (frame[11] != kConfigParameter || frame[12] != kConfigBlock || frame[13] != 0 || (index != 2 && index != 3)) {
        return kCardError;
    }
    if (Image()[LockAt(kConfigBlock)] & kBlockLocked) return kAccessDenied;
    const uint8_t value = frame[15];
    const Status status = Commit([&](Bytes& image) { image[kConfigBlock * kBlockSize + index] = value; });
    if (status != kOk) return status;
    out[0] = 0x00;
    *length = 1;
    return kOk;
}

Status ByteBlockVicinityTag::ReadAnswer(bool, size_t first, size_t count, uint8_t* out, uint8_t* length) const {
    if (out == nullptr || length == nullptr || count == 0 || first >= BlockCount() || count > BlockCount() - first) {
        return kBadArgument;
    }
    size_t at = 0;
    for (size_t block = first; block < first + count; ++block) {
        out[at++] = Image()[block * kBlockSize];
        out[at++] = Image()[LockAt(block)];
    }
    *length = static_cast<uint8_t>(at);
    return kOk;
}

Status ByteBlockVicinityTag::WriteBlock(bool, size_t, const uint8_t*) { return kCardError; }

Status ByteBlockVicinityTag::WriteByteBlock(size_t block, uint8_t data) {
    if (block >= BlockCount()) return kBadArgument;
    if (Image()[LockAt(block)] & kBlockLocked) return kAccessDenied;
    return Commit([&](Bytes& image) { image[block * kBlockSize] = data; });
}

}  // namespace kelvar
