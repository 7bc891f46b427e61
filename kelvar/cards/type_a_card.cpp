#include "kelvar/cards/type_a_card.h"

#include <algorithm>
#include <utility>

namespace kelvar {

TypeACard::TypeACard(ImageStore& store, std::string imageName, const Bytes& factoryImage)
    : store_(store), imageName_(std::move(imageName)) {
    auto stored = store_.Load(imageName_, factoryImage.size());
    image_ = stored ? std::move(*stored) : factoryImage;
}

void TypeACard::LeaveActive() {
    if (activation_.IsActive()) EndSession();
}

void TypeACard::FieldReset() {
    LeaveActive();
    activation_.Reset();
    PowerLost();
}

void TypeACard::Drop() {
    LeaveActive();
    activation_.Drop();
}

Status TypeACard::Request(int mode, uint8_t* atqa) {
    if (atqa == nullptr) return kBadArgument;
    LeaveActive();
    if (const Status status = activation_.Request(mode); status != kOk) return status;
    const auto answer = Atqa();
    std::copy(answer.begin(), answer.end(), atqa);
    return kOk;
}

Status TypeACard::Anticoll(uint8_t* uid, uint8_t* uidLength) {
    if (uid == nullptr || uidLength == nullptr) return kBadArgument;
    if (!activation_.IsReady()) return kNoCard;
    const Bytes own = Uid();
    std::copy(own.begin(), own.end(), uid);
    *uidLength = static_cast<uint8_t>(own.size());
    return kOk;
}

Status TypeACard::Select(const uint8_t* uid, int uidLength, uint8_t* sak) {
    if (uid == nullptr || sak == nullptr) return kBadArgument;
    if (uidLength != 4 && uidLength != 7 && uidLength != kMaxUidSize) return kBadArgument;
    if (!activation_.IsReady()) return kNoCard;
    const Bytes own = Uid();
    if (static_cast<size_t>(uidLength) != own.size() || !std::equal(own.begin(), own.end(), uid)) {
        activation_.Drop();
        return kNoCard;
    }
    activation_.Activate();
    *sak = Sak();
    return kOk;
}

Status TypeACard::Halt() {
    LeaveActive();
    return activation_.Halt();
}

template <typename Command>
Status TypeACard::Run(Command command) {
    if (!activation_.IsActive()) return kNotSelected;
    const Status status = command();
    if (status != kOk && status != kStoreFailed) Drop();
    return status;
}

template <typename Command>
Status TypeACard::RunAwake(Command command) {
    if (!activation_.IsActive() && !activation_.IsReady()) return kNotSelected;
    const Status status = command();
    if (status != kOk && status != kStoreFailed) Drop();
    return status;
}

Status TypeACard::Shc1102Authenticate(const uint8_t* password) {
    if (password == nullptr) return kBadArgument;
    return RunAwake([&] { return OnShc1102Authenticate(password); });
}

Status TypeACard::Shc1102Read(int block, uint8_t* data) {
    if (data == nullptr) return kBadArgument;
    return RunAwake([&] { return OnShc1102Read(block, data); });
}

Status TypeACard::Shc1102Write(int block, const uint8_t* data) {
    if (data == nullptr) return kBadArgument;
    return RunAwake([&] { return OnShc1102Write(block, data); });
}

Status TypeACard::Authenticate(int keyType, int block, const uint8_t* key) {
    if (key == nullptr) return kBadArgument;
    return Run([&] { return OnAuthenticate(keyType, block, key); });
}

Status TypeACard::InitValue(int block, int32_t value) {
    return Run([&] { return OnInitValue(block, value); });
}

Status TypeACard::Increment(int block, int32_t operand) {
    return Run([&] { return OnIncrement(block, operand); });
}

Status TypeACard::Decrement(int block, int32_t operand) {
    return Run([&] { return OnDecrement(block, operand); });
}

Status TypeACard::ReadValue(int block, int32_t* value) {
    if (value == nullptr) return kBadArgument;
    return Run([&] { return OnReadValue(block, value); });
}

Status TypeACard::Read(int block, uint8_t* data) {
    if (data == nullptr) return kBadArgument;
    return Run([&] { return OnRead(block, data); });
}

Status TypeACard::WriteBlock(int block, const uint8_t* data) {
    if (data == nullptr) return kBadArgument;
    return Run([&] { return OnWriteBlock(block, data); });
}

Status TypeACard::WritePage(int page, const uint8_t* data) {
    if (data == nullptr) return kBadArgument;
    return Run([&] { return OnWritePage(page, data); });
}

Status TypeACard::AuthenticateTripleDes(const uint8_t* key, const RandomBytes& readerRandom) {
    if (key == nullptr || !readerRandom) return kBadArgument;
    return Run([&] { return OnAuthenticateTripleDes(key, readerRandom); });
}

Status TypeACard::ChangeTripleDesKey(const uint8_t* key) {
    if (key == nullptr) return kBadArgument;
    return Run([&] { return OnChangeTripleDesKey(key); });
}

Status TypeACard::AnswerToSelect(Bytes& ats) {
    return Run([&] { return OnAnswerToSelect(ats); });
}

Status TypeACard::Exchange(std::span<const uint8_t> frame, Bytes& answer) {
    return Run([&] { return OnExchange(frame, answer); });
}

Status TypeACard::Deselect() {
    const Status status = Run([&] { return OnDeselect(); });
    return status == kOk ? Halt() : status;
}

Status TypeACard::OnAuthenticate(int, int, const uint8_t*) { return kCardError; }
Status TypeACard::OnInitValue(int, int32_t) { return kCardError; }
Status TypeACard::OnIncrement(int, int32_t) { return kCardError; }
Status TypeACard::OnDecrement(int, int32_t) { return kCardError; }
Status TypeACard::OnReadValue(int, int32_t*) { return kCardError; }
Status TypeACard::OnRead(int, uint8_t*) { return kCardError; }
Status TypeACard::OnWriteBlock(int, const uint8_t*) { return kCardError; }
Status TypeACard::OnWritePage(int, const uint8_t*) { return kCardError; }
Status TypeACard::OnAuthenticateTripleDes(const uint8_t*, const RandomBytes&) { return kCardError; }
Status TypeACard::OnChangeTripleDesKey(const uint8_t*) { return kCardError; }
Status TypeACard::OnAnswerToSelect(Bytes&) { return kCardError; }
Status TypeACard::OnExchange(std::span<const uint8_t>, Bytes&) { return kCardError; }
Status TypeACard::OnDeselect() { return kCardError; }
Status TypeACard::OnShc1102Authenticate(const uint8_t*) { return kCardError; }
Status TypeACard::OnShc1102Read(int, uint8_t*) { return kCardError; }
Status TypeACard::OnShc1102Write(int, const uint8_t*) { return kCardError; }

Status TypeACard::Commit(Bytes image) {
    if (image == image_) return kOk;
    if (!store_.Save(imageName_, image)) return kStoreFailed;
    image_ = std::move(image);
    return kOk;
}

}  // namespace kelvar
