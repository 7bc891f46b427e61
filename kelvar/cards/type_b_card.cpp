#include "kelvar/cards/type_b_card.h"

#include <algorithm>
#include <utility>

namespace kelvar {

namespace {

constexpr uint8_t kAtqbCode = 0x50;

// ISO 14443-3 type B commands and ISO 14443-4 block headers.
constexpr uint8_t kApf = 0x05;             // REQB/WUPB: APf, AFI, PARAM
constexpr uint8_t kWupbBit = 0x08;
constexpr size_t kRequestFrameSize = 3;
constexpr uint8_t kAttribCode = 0x1D;      // ATTRIB: 1D, PUPI, Param 1..4, higher-layer INF
constexpr size_t kAttribFrameSize = 9;
constexpr uint8_t kHaltCode = 0x50;        // HLTB: 50, PUPI
constexpr size_t kHaltFrameSize = 5;
constexpr uint8_t kIBlockMask = 0xE2;
constexpr uint8_t kIBlock = 0x02;
constexpr uint8_t kChainingBit = 0x10;
constexpr uint8_t kCidBit = 0x08;
constexpr uint8_t kNadBit = 0x04;
constexpr uint8_t kDeselectMask = 0xF7;    // S(DESELECT), with or without CID
constexpr uint8_t kDeselect = 0xC2;

TypeBCard::Pupi PupiAt(std::span<const uint8_t> frame) {
    return {frame[1], frame[2], frame[3], frame[4]};
}

}  // namespace

TypeBCard::TypeBCard(ImageStore& store, std::string imageName, const Bytes& factoryImage)
    : store_(store), imageName_(std::move(imageName)) {
    auto stored = store_.Load(imageName_, factoryImage.size());
    image_ = stored ? std::move(*stored) : factoryImage;
}

std::array<uint8_t, TypeBCard::kAtqbSize> TypeBCard::Atqb() const {
    std::array<uint8_t, kAtqbSize> atqb{};
    atqb[0] = kAtqbCode;
    const Pupi pupi = PupiBytes();
    const auto application = ApplicationData();
    const auto protocol = ProtocolInfo();
    std::copy(pupi.begin(), pupi.end(), atqb.begin() + 1);
    std::copy(application.begin(), application.end(), atqb.begin() + 5);
    std::copy(protocol.begin(), protocol.end(), atqb.begin() + 9);
    return atqb;
}

void TypeBCard::LeaveActive() {
    if (activation_.IsActive()) EndSession();
}

void TypeBCard::FieldReset() {
    LeaveActive();
    OnFieldReset();
    activation_.Reset();
}

Status TypeBCard::Request(int mode, uint8_t* atqb) {
    if (atqb == nullptr || (mode != kRequestIdle && mode != kRequestAll)) return kBadArgument;
    LeaveActive();
    const int typeAMode = mode == kRequestAll ? Iso14443aActivation::kRequestAll : Iso14443aActivation::kRequestIdle;
    if (const Status status = activation_.Request(typeAMode); status != kOk) return status;
    const auto answer = Atqb();
    std::copy(answer.begin(), answer.end(), atqb);
    return kOk;
}

Status TypeBCard::Attrib(const Pupi& pupi) {
    if (!activation_.IsReady() || pupi != PupiBytes()) return kNoCard;
    activation_.Activate();
    return kOk;
}

Status TypeBCard::Exchange(std::span<const uint8_t> frame, Bytes& answer) {
    if (!activation_.IsActive()) return kNotSelected;
    const Status status = OnExchange(frame, answer);
    if (status != kOk && status != kStoreFailed) {
        LeaveActive();
        activation_.Drop();
    }
    return status;
}

Status TypeBCard::Deselect() {
    LeaveActive();
    return activation_.Halt();
}

Status TypeBCard::OnExchange(std::span<const uint8_t>, Bytes&) { return kCardError; }

Status TypeBCard::OnStInitiate(uint8_t&) { return kCardError; }
Status TypeBCard::OnStSelect(uint8_t) { return kCardError; }
Status TypeBCard::OnSr176Read(uint8_t, Bytes&) { return kCardError; }
Status TypeBCard::OnSr176Write(uint8_t, std::span<const uint8_t, 2>) { return kCardError; }
Status TypeBCard::OnSr176Protect(uint8_t) { return kCardError; }
Status TypeBCard::OnSrix4kRead(uint8_t, Bytes&) { return kCardError; }
Status TypeBCard::OnSrix4kWrite(uint8_t, std::span<const uint8_t, 4>) { return kCardError; }
Status TypeBCard::OnSrix4kUid(Bytes&) { return kCardError; }
Status TypeBCard::OnSrix4kLock(uint8_t) { return kCardError; }
Status TypeBCard::OnAt020Check(std::span<const uint8_t, 8>) { return kCardError; }
Status TypeBCard::OnAt020Read(uint8_t, Bytes&) { return kCardError; }
Status TypeBCard::OnAt020Write(uint8_t, std::span<const uint8_t, 8>) { return kCardError; }
Status TypeBCard::OnAt020Lock(std::span<const uint8_t, 4>) { return kCardError; }
Status TypeBCard::OnAt020Count(std::span<const uint8_t, 6>) { return kCardError; }
Status TypeBCard::OnAt020Deselect() { return kCardError; }
Status TypeBCard::OnThr1064Check(std::span<const uint8_t, 8>) { return kCardError; }
Status TypeBCard::OnThr1064Read(uint8_t, Bytes&) { return kCardError; }
Status TypeBCard::OnThr1064Write(uint8_t, std::span<const uint8_t>) { return kCardError; }

bool TypeBCard::OnRawFrame(std::span<const uint8_t> frame, Bytes& answer) {
    return RfMode() == kModeB && AnswerIsoFrame(frame, answer);
}

bool TypeBCard::AnswerIsoFrame(std::span<const uint8_t> frame, Bytes& answer) {
    if (frame.empty()) return false;
    const uint8_t code = frame[0];
    if (code == kHaltCode && frame.size() == kHaltFrameSize && (IsReady() || IsActive()) &&
        PupiAt(frame) == PupiBytes()) {
        if (IsReady()) activation_.Activate();
        Deselect();
        answer = {0x00};
        return true;
    }
    if (IsActive()) {
        // Block headers: PCB, then the CID when its bit is set.
        const size_t header = (code & kCidBit) != 0 ? 2 : 1;
        if (frame.size() < header) return false;
        if ((code & kDeselectMask) == kDeselect && frame.size() == header) {
            answer.assign(frame.begin(), frame.end());
            Deselect();
            return true;
        }
        if ((code & kIBlockMask) != kIBlock || (code & (kChainingBit | kNadBit)) != 0) return false;
        Bytes response;
        if (Exchange(frame.subspan(header), response) != kOk) return false;
        answer.assign(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(header));
        answer.insert(answer.end(), response.begin(), response.end());
        return true;
    }
    if (code == kApf && frame.size() == kRequestFrameSize) {
        // Only requests to every family (AFI 00) reach a card without an AFI.
        if (frame[1] != 0x00) return false;
        std::array<uint8_t, kAtqbSize> atqb{};
        const int mode = (frame[2] & kWupbBit) != 0 ? kRequestAll : kRequestIdle;
        if (Request(mode, atqb.data()) != kOk) return false;
        answer.assign(atqb.begin(), atqb.end());
        return true;
    }
    if (code == kAttribCode && frame.size() >= kAttribFrameSize) {
        if (Attrib(PupiAt(frame)) != kOk) return false;
        // MBLI 0, and the CID the reader gave in Param 4.
        answer = {static_cast<uint8_t>(frame[8] & 0x0F)};
        return true;
    }
    return false;
}

Status TypeBCard::Commit(Bytes image) {
    if (image == image_) return kOk;
    if (!store_.Save(imageName_, image)) return kStoreFailed;
    image_ = std::move(image);
    return kOk;
}

}  // namespace kelvar
