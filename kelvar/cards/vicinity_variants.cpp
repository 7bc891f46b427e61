#include "kelvar/cards/vicinity_variants.h"

#include <algorithm>

namespace kelvar {

namespace {

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

Status ConfigBlockVicinityTag::CustomCommand(uint8_t command, std::span<const uint8_t> parameters, Bytes& answer) {
    if (command != kCustomCommand || parameters.size() != 5) return kCardError;
    const size_t index = parameters[3];
    if (parameters[0] != kConfigParameter || parameters[1] != kConfigBlock || parameters[2] != 0 ||
        (index != 2 && index != 3)) {
        return kCardError;
    }
    if (Image()[LockAt(kConfigBlock)] & kBlockLocked) return kAccessDenied;
    const uint8_t value = parameters[4];
    const Status status = Commit([&](Bytes& image) { image[kConfigBlock * kBlockSize + index] = value; });
    if (status == kOk) answer.clear();
    return status;
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
