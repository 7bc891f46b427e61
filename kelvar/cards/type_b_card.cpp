#include "kelvar/cards/type_b_card.h"

#include <algorithm>
#include <utility>

namespace kelvar {

namespace {

constexpr uint8_t kAtqbCode = 0x50;

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

Status TypeBCard::OnStSelect(uint8_t&) { return kCardError; }
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
Status TypeBCard::OnRawFrame(std::span<const uint8_t>, Bytes&) { return kNoCard; }

Status TypeBCard::Commit(Bytes image) {
    if (image == image_) return kOk;
    if (!store_.Save(imageName_, image)) return kStoreFailed;
    image_ = std::move(image);
    return kOk;
}

}  // namespace kelvar
