#include "kelvar/reader/iso15693_raw.h"

#include <array>

namespace kelvar {

namespace {

// Request flags.
constexpr uint8_t kInventoryFlag = 0x04;
constexpr uint8_t kSelectFlag = 0x10;      // without the inventory flag
constexpr uint8_t kAddressFlag = 0x20;     // without the inventory flag
constexpr uint8_t kAfiFlag = 0x10;         // with the inventory flag
constexpr uint8_t kOneSlotFlag = 0x20;     // with the inventory flag
constexpr uint8_t kOptionFlag = 0x40;

constexpr uint8_t kInventory = 0x01;
constexpr uint8_t kReadSingleBlock = 0x20;
constexpr uint8_t kWriteSingleBlock = 0x21;
constexpr uint8_t kGetSystemInformation = 0x2B;
constexpr uint8_t kFirstCustom = 0xA0;
constexpr uint8_t kLastCustom = 0xDF;

constexpr uint8_t kAnswerOk = 0x00;
constexpr uint8_t kAnswerError = 0x01;
constexpr uint8_t kErrorNotSupported = 0x01;
constexpr uint8_t kErrorUnknown = 0x0F;
constexpr uint8_t kErrorNoSuchBlock = 0x10;
constexpr uint8_t kErrorBlockLocked = 0x12;
constexpr uint8_t kErrorNotWritten = 0x13;

constexpr size_t kUidSize = 8;
constexpr size_t kSlotBits = 4;

bool Error(uint8_t code, Bytes& answer) {
    answer = {kAnswerError, code};
    return true;
}

// Bit `index` of the UID, counted from the least significant bit of its first byte.
bool UidBit(const VicinityUid& uid, size_t index) { return ((uid[index / 8] >> (index % 8)) & 1) != 0; }

bool AnswerInventory(const Iso15693Tag& tag, uint8_t flags, std::span<const uint8_t> body, Bytes& answer) {
    size_t at = 0;
    if ((flags & kAfiFlag) != 0) {
        if (body.empty()) return false;
        if (body[0] != 0x00 && body[0] != tag.Afi()) return false;
        ++at;
    }
    if (body.size() <= at) return false;
    const size_t maskBits = body[at++];
    const size_t maskBytes = (maskBits + 7) / 8;
    if (maskBits > 8 * kUidSize || body.size() != at + maskBytes) return false;
    const VicinityUid& uid = tag.Uid();
    for (size_t bit = 0; bit < maskBits; ++bit) {
        if (UidBit(uid, bit) != (((body[at + bit / 8] >> (bit % 8)) & 1) != 0)) return false;
    }
    // Of sixteen slots, only slot 0 is heard in one exchange.
    if ((flags & kOneSlotFlag) == 0) {
        for (size_t bit = maskBits; bit < maskBits + kSlotBits && bit < 8 * kUidSize; ++bit) {
            if (UidBit(uid, bit)) return false;
        }
    }
    answer = {kAnswerOk, tag.Dsfid()};
    answer.insert(answer.end(), uid.begin(), uid.end());
    return true;
}

uint8_t ErrorCodeOf(Status status) {
    switch (status) {
    case kBadArgument:
        return kErrorNoSuchBlock;
    case kAccessDenied:
        return kErrorBlockLocked;
    case kStoreFailed:
        return kErrorNotWritten;
    default:
        return kErrorUnknown;
    }
}

}  // namespace

bool AnswerRawRequest(Iso15693Tag& tag, std::span<const uint8_t> request, Bytes& answer) {
    if (request.size() < 2) return false;
    const uint8_t flags = request[0];
    const uint8_t command = request[1];
    auto body = request.subspan(2);
    if ((flags & kInventoryFlag) != 0) {
        return command == kInventory && AnswerInventory(tag, flags, body, answer);
    }
    if ((flags & kSelectFlag) != 0) return false;
    const bool custom = command >= kFirstCustom && command <= kLastCustom;
    if (custom) {
        if (body.empty() || body[0] != tag.MakerCode()) return false;
        body = body.subspan(1);
    }
    if ((flags & kAddressFlag) != 0) {
        if (body.size() < kUidSize || !tag.Addressed(body.first(kUidSize))) return false;
        body = body.subspan(kUidSize);
    }
    const bool option = (flags & kOptionFlag) != 0;
    if (custom) {
        Bytes data;
        if (const Status status = tag.CustomCommand(command, body, data); status != kOk) {
            return Error(status == kCardError ? kErrorNotSupported : ErrorCodeOf(status), answer);
        }
        answer = {kAnswerOk};
        answer.insert(answer.end(), data.begin(), data.end());
        return true;
    }
    switch (command) {
    case kReadSingleBlock: {
        if (body.size() != 1) return false;
        std::array<uint8_t, Iso15693Tag::kBlockSize> data{};
        uint8_t security = 0;
        if (const Status status = tag.ReadBlocks(body[0], 1, data.data()); status != kOk) {
            return Error(ErrorCodeOf(status), answer);
        }
        tag.BlockSecurity(body[0], 1, &security);
        answer = {kAnswerOk};
        if (option) answer.push_back(security);
        answer.insert(answer.end(), data.begin(), data.end());
        return true;
    }
    case kWriteSingleBlock: {
        if (body.size() != 1 + Iso15693Tag::kBlockSize) return false;
        if (const Status status = tag.WriteBlock(option, body[0], body.data() + 1); status != kOk) {
            return Error(ErrorCodeOf(status), answer);
        }
        answer = {kAnswerOk};
        return true;
    }
    case kGetSystemInformation: {
        if (!body.empty()) return false;
        answer.assign(1 + Iso15693Tag::kSystemInformationSize, kAnswerOk);
        tag.SystemInformation(answer.data() + 1);
        return true;
    }
    default:
        return false;
    }
}

}  // namespace kelvar
