#include "kelvar/reader/iso15693_field.h"

#include <algorithm>

#include "kelvar/reader/iso15693_raw.h"
#include "kelvar/reader/raw_exchange.h"
#include "kelvar/reader/vicinity_tags.h"

namespace kelvar {

namespace {

constexpr size_t kMaxAnswer = 255;

}  // namespace

Iso15693Field::Iso15693Field(ImageStore& store, std::span<const CardKind> kinds)
    : tags_(store, kinds, MakeVicinityTag) {}

template <typename Filter>
Status Iso15693Field::Collect(Filter answers, uint8_t* out, uint8_t* length) {
    if (out == nullptr || length == nullptr) return kBadArgument;
    if (!powered_ || tags_.PlacedCount() == 0) return kNoCard;
    size_t at = 0;
    for (const auto& tag : tags_.Placed()) {
        if (!answers(*tag)) continue;
        if (at + kInventoryRecordSize > kMaxAnswer) break;
        out[at] = tag->Dsfid();
        std::copy(tag->Uid().begin(), tag->Uid().end(), out + at + 1);
        at += kInventoryRecordSize;
    }
    *length = static_cast<uint8_t>(at);
    return kOk;
}

Status Iso15693Field::Inventory(uint8_t* out, uint8_t* length) {
    return Collect([](const Iso15693Tag&) { return true; }, out, length);
}

Status Iso15693Field::MakerInventory(uint8_t maker, uint8_t afi, uint8_t* out, uint8_t* length) {
    return Collect([&](const Iso15693Tag& tag) { return tag.MakerCode() == maker && (afi == 0 || tag.Afi() == afi); },
                   out, length);
}

template <typename Command>
Status Iso15693Field::Addressed(uint8_t mode, const uint8_t* uid, Command command) {
    if (uid == nullptr || (mode & ~kModeOption) != kModeAddressed) return kBadArgument;
    if (!powered_) return kNoCard;
    const std::span<const uint8_t> wanted(uid, std::tuple_size_v<VicinityUid>);
    for (auto& tag : tags_.Placed()) {
        if (tag->Addressed(wanted)) return command(*tag, (mode & kModeOption) != 0);
    }
    return kNoCard;
}

Status Iso15693Field::GetSystemInformation(uint8_t mode, const uint8_t* uid, uint8_t* out, uint8_t* length) {
    if (out == nullptr || length == nullptr) return kBadArgument;
    return Addressed(mode, uid, [&](Iso15693Tag& tag, bool) {
        tag.SystemInformation(out);
        *length = static_cast<uint8_t>(Iso15693Tag::kSystemInformationSize);
        return kOk;
    });
}

Status Iso15693Field::Read(uint8_t mode, const uint8_t* uid, uint8_t first, uint8_t count, uint8_t* out,
                           uint8_t* length) {
    if (out == nullptr || length == nullptr || count == 0 || count > kMaxReadBlocks) return kBadArgument;
    return Addressed(mode, uid, [&](Iso15693Tag& tag, bool option) {
        return tag.ReadAnswer(option, first, count, out, length);
    });
}

Status Iso15693Field::GetBlockSecurity(uint8_t mode, const uint8_t* uid, uint8_t first, uint8_t count,
                                       uint8_t* out, uint8_t* length) {
    if (out == nullptr || length == nullptr || count == 0 || count > kMaxSecurityBlocks) return kBadArgument;
    return Addressed(mode, uid, [&](Iso15693Tag& tag, bool) {
        const Status status = tag.BlockSecurity(first, count, out);
        if (status == kOk) *length = count;
        return status;
    });
}

Status Iso15693Field::Write(uint8_t mode, const uint8_t* uid, uint8_t block, const uint8_t* data) {
    if (data == nullptr) return kBadArgument;
    return Addressed(mode, uid, [&](Iso15693Tag& tag, bool option) { return tag.WriteBlock(option, block, data); });
}

Status Iso15693Field::LockBlock(uint8_t mode, const uint8_t* uid, uint8_t block) {
    return Addressed(mode, uid, [&](Iso15693Tag& tag, bool option) { return tag.LockBlock(option, block); });
}

Status Iso15693Field::WriteDsfid(uint8_t mode, const uint8_t* uid, uint8_t dsfid) {
    return Addressed(mode, uid, [&](Iso15693Tag& tag, bool option) { return tag.WriteDsfid(option, dsfid); });
}

Status Iso15693Field::LockDsfid(uint8_t mode, const uint8_t* uid) {
    return Addressed(mode, uid, [&](Iso15693Tag& tag, bool option) { return tag.LockDsfid(option); });
}

Status Iso15693Field::WriteAfi(uint8_t mode, const uint8_t* uid, uint8_t afi) {
    return Addressed(mode, uid, [&](Iso15693Tag& tag, bool option) { return tag.WriteAfi(option, afi); });
}

Status Iso15693Field::LockAfi(uint8_t mode, const uint8_t* uid) {
    return Addressed(mode, uid, [&](Iso15693Tag& tag, bool option) { return tag.LockAfi(option); });
}

Status Iso15693Field::Transceive(const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* outLength) {
    if (!powered_) return out == nullptr || outLength == nullptr ? kBadArgument : kNoCard;
    return RawExchange(frame, frameLength, out, outLength, tags_.Placed(),
                       [](auto& tag, std::span<const uint8_t> request, Bytes& air) {
                           Bytes answer;
                           if (!AnswerRawRequest(*tag, request, answer)) return false;
                           air = WithFrameCrc(answer);
                           return true;
                       });
}

Status Iso15693Field::ReadPage(const uint8_t* uid, uint8_t page, uint8_t* out, uint8_t* length) {
    if (out == nullptr || length == nullptr) return kBadArgument;
    return Addressed(kModeAddressed, uid, [&](Iso15693Tag& tag, bool) {
        const Status status = tag.ReadPage(page, out);
        if (status == kOk) *length = kPageSize;
        return status;
    });
}

Status Iso15693Field::WritePageReadBack(const uint8_t* uid, uint8_t page, const uint8_t* data, uint8_t* readBack,
                                        uint8_t* length) {
    if (data == nullptr || readBack == nullptr || length == nullptr) return kBadArgument;
    return Addressed(kModeAddressed, uid, [&](Iso15693Tag& tag, bool) {
        if (const Status status = tag.WritePage(page, data); status != kOk) return status;
        const Status status = tag.ReadPage(page, readBack);
        if (status == kOk) *length = kPageSize;
        return status;
    });
}

Status Iso15693Field::WriteByteBlock(uint8_t mode, const uint8_t* uid, uint8_t block, uint8_t data) {
    return Addressed(mode, uid, [&](Iso15693Tag& tag, bool) { return tag.WriteByteBlock(block, data); });
}

}  // namespace kelvar
