#include "kelvar/pcsc/pcsc_backend.h"

#include <algorithm>
#include <limits>

#include "common/mifare_layout.h"
#include "kelvar/cards/mifare_value.h"
#include "kelvar/reader/des_calculator.h"
#include "kelvar/reader/frame_answer.h"
#include "kelvar/reader/reader_device.h"

namespace kelvar::pcsc {

namespace {

constexpr size_t kAnySize = std::numeric_limits<size_t>::max();
constexpr size_t kMaxModel = 64;
constexpr uint8_t kRequestIdle = 0x26;
constexpr uint8_t kRequestAll = 0x52;
constexpr uint8_t kKeyA = 0x60;
constexpr uint8_t kKeyB = 0x61;
constexpr size_t kKeySize = 6;
constexpr size_t kBlockSize = 16;
constexpr size_t kPageSize = 4;
constexpr size_t kVicinityBlockSize = 4;
constexpr size_t kVicinityUidSize = 8;
constexpr size_t kMaxVicinityBlocks = 14;
constexpr uint8_t kVicinityAddressed = 0x02;
constexpr uint8_t kVicinityOption = 0x04;

// The reader's pseudo-APDUs.
constexpr uint8_t kGetUid[] = {0xFF, 0xCA, 0x00, 0x00, 0x00};
constexpr uint8_t kGetAts[] = {0xFF, 0xCA, 0x01, 0x00, 0x00};
// The reader's volatile key slot 0.
constexpr uint8_t kKeySlot = 0x00;

Bytes ReadBinary(uint8_t address, uint8_t size) { return {0xFF, 0xB0, 0x00, address, size}; }

Bytes UpdateBinary(uint8_t address, std::span<const uint8_t> data) {
    Bytes command(5 + data.size());
    command[0] = 0xFF;
    command[1] = 0xD6;
    command[3] = address;
    command[4] = static_cast<uint8_t>(data.size());
    std::copy(data.begin(), data.end(), command.begin() + 5);
    return command;
}

bool IsTypeA(CardFamily family) {
    return family == CardFamily::kMifareClassic || family == CardFamily::kUltraLight || family == CardFamily::kIsoDep;
}

}  // namespace

Status StatusOfWord(uint8_t sw1, uint8_t sw2) {
    const unsigned word = unsigned(sw1) << 8 | sw2;
    switch (word) {
        case 0x9000: return kOk;
        case 0x6300: return kAuthFailed;
        case 0x6982: return kNotAuthenticated;
        case 0x6985:
        case 0x6986: return kAccessDenied;
        case 0x6A81:
        case 0x6D00:
        case 0x6E00: return kNotSupported;
        case 0x6A82:
        case 0x6B00: return kBadArgument;
        default: return kCardError;
    }
}

Backend::Backend(Layer& layer, Settings settings)
    : layer_(layer), settings_(std::move(settings)), card_(layer, settings_.reader) {
    if (settings_.sam) sam_.emplace(layer, *settings_.sam);
}

std::string Backend::Model() {
    std::string reader;
    std::string model = "PC/SC";
    if (CardChannel::FindReader(layer_, settings_.reader, reader) == kOk) model += " " + reader;
    if (model.size() > kMaxModel) model.resize(kMaxModel);
    return model;
}

int32_t Backend::LibVer(uint32_t* version) {
    if (version == nullptr) return kBadArgument;
    *version = kLibraryVersion;
    return kOk;
}

int32_t Backend::DesEncipher(uint8_t* out, const uint8_t* data, uint8_t length, const uint8_t* key,
                             uint8_t keyLength) {
    return RunDesCalculator(DesDirection::kEncipher, out, data, length, key, keyLength);
}

int32_t Backend::DesDecipher(uint8_t* out, const uint8_t* data, uint8_t length, const uint8_t* key,
                             uint8_t keyLength) {
    return RunDesCalculator(DesDirection::kDecipher, out, data, length, key, keyLength);
}

int32_t Backend::GetModel(int32_t, uint8_t* text, uint8_t* length) {
    if (text == nullptr || length == nullptr) return kBadArgument;
    const std::string model = Model();
    std::copy(model.begin(), model.end(), text);
    *length = static_cast<uint8_t>(model.size());
    return kOk;
}

int32_t Backend::InitType(int32_t, uint8_t type) {
    // A PC/SC reader looks for every kind of card itself.
    return type == kRfModeA || type == kRfModeB || type == kRfModeIso15693 ? kOk : kNotSupported;
}

int32_t Backend::Antenna(int32_t, uint8_t state) {
    if (state > 1) return kBadArgument;
    const bool wasOff = antennaOff_;
    antennaOff_ = state == 0;
    session_.requested = session_.selected = session_.halted = false;
    if (antennaOff_ || !wasOff || !card_.Connected()) return kOk;
    // Field back on: the card starts afresh (a contactless reader resets by switching its field).
    Bytes atr;
    const Status status = card_.Reset(atr);
    return status == kNoCard ? kOk : status;
}

Status Backend::Answer(CardChannel& channel, const uint8_t* command, uint8_t length, uint8_t* out,
                       uint8_t* outLength) {
    if (command == nullptr || out == nullptr || outLength == nullptr) return kBadArgument;
    Bytes answer;
    if (const Status status = channel.Transmit(std::span(command, length), answer); status != kOk) return status;
    return CopyAnswer(answer, out, outLength);
}

int32_t Backend::OpenCard(int32_t) { return card_.Connect(true); }

int32_t Backend::SmartcardRst(int32_t, uint8_t* out, uint8_t* length) {
    if (out == nullptr || length == nullptr) return kBadArgument;
    Bytes atr;
    if (const Status status = card_.Reset(atr); status != kOk) return status;
    return CopyAnswer(atr, out, length);
}

int32_t Backend::SmartcardCos(int32_t, const uint8_t* command, uint8_t length, uint8_t* out, uint8_t* outLength) {
    return Answer(card_, command, length, out, outLength);
}

int32_t Backend::InitSam(int32_t, uint8_t baud) {
    if (!sam_) return kNotSupported;
    // The reader chooses the speed; the code is checked as the slot does.
    if (baud > 1) return kBadArgument;
    return sam_->Connect(true);
}

int32_t Backend::SamRst(int32_t, uint8_t* out, uint8_t* length) {
    if (!sam_) return kNotSupported;
    if (out == nullptr || length == nullptr) return kBadArgument;
    Bytes atr;
    if (const Status status = sam_->Reset(atr); status != kOk) return status;
    return CopyAnswer(atr, out, length);
}

int32_t Backend::SamCos(int32_t, const uint8_t* command, uint8_t length, uint8_t* out, uint8_t* outLength) {
    if (!sam_) return kNotSupported;
    return Answer(*sam_, command, length, out, outLength);
}

Status Backend::Field(ContactlessCard& card) {
    if (antennaOff_) return kNoCard;
    const Status status = card_.Connect(true);
    if (status != kOk || card_.Generation() != session_.generation) {
        session_ = Session();
        session_.generation = card_.Generation();
    }
    if (status != kOk) return status;
    Bytes atr;
    if (const Status read = card_.Atr(atr); read != kOk) return read;
    session_.card = ClassifyAtr(atr);
    card = session_.card;
    return kOk;
}

Status Backend::Pseudo(std::span<const uint8_t> command, size_t size, Bytes& data) {
    // Never on a card connected since the session began: that is another card.
    if (!card_.Connected() || card_.Generation() != session_.generation) return kNoCard;
    Bytes answer;
    if (const Status status = card_.Transmit(command, answer); status != kOk) return status;
    const Status status = StatusOfWord(answer[answer.size() - 2], answer[answer.size() - 1]);
    if (status != kOk) return status;
    answer.resize(answer.size() - 2);
    if (size != kAnySize && answer.size() != size) return kCardError;
    data = std::move(answer);
    return kOk;
}

Status Backend::Uid(Bytes& uid) { return Pseudo(kGetUid, kAnySize, uid); }

Status Backend::UidOf(CardFamily family, Bytes& uid) {
    ContactlessCard card;
    if (const Status status = Field(card); status != kOk) return status;
    if (card.family != family) return kNoCard;
    return Uid(uid);
}

Status Backend::Selected(CardFamily family) const {
    if (!session_.selected || !card_.Connected() || card_.Generation() != session_.generation) return kNotSelected;
    if (family == CardFamily::kNone) return kOk;
    return session_.card.family == family ? kOk : kCardError;
}

int32_t Backend::Request(int32_t, uint8_t mode, uint16_t* tagType) {
    if (tagType == nullptr || (mode != kRequestIdle && mode != kRequestAll)) return kBadArgument;
    ContactlessCard card;
    if (const Status status = Field(card); status != kOk) return status;
    if (card.family == CardFamily::kOtherStorage && card.standard == kStandardIso14443A3) return kNotSupported;
    if (!IsTypeA(card.family) || (session_.halted && mode == kRequestIdle)) return kNoCard;
    Bytes uid;
    if (const Status status = Uid(uid); status != kOk) return status;
    const auto identity = IdentityOf(card, uid.size());
    if (!identity || (uid.size() != 4 && uid.size() != 7 && uid.size() != 10)) return kCardError;
    session_.uid = uid;
    session_.requested = true;
    session_.selected = false;
    session_.halted = false;
    *tagType = static_cast<uint16_t>(identity->atqa[0] | identity->atqa[1] << 8);
    return kOk;
}

int32_t Backend::Anticoll(int32_t, uint8_t, uint8_t* uid, uint8_t* uidLength) {
    if (uid == nullptr || uidLength == nullptr) return kBadArgument;
    ContactlessCard card;
    if (const Status status = Field(card); status != kOk) return status;
    if (!session_.requested) return kNoCard;
    std::copy(session_.uid.begin(), session_.uid.end(), uid);
    *uidLength = static_cast<uint8_t>(session_.uid.size());
    return kOk;
}

int32_t Backend::Select(int32_t, const uint8_t* uid, uint8_t uidLength, uint8_t* sak) {
    if (uid == nullptr || sak == nullptr || (uidLength != 4 && uidLength != 7 && uidLength != 10)) {
        return kBadArgument;
    }
    ContactlessCard card;
    if (const Status status = Field(card); status != kOk) return status;
    if (!session_.requested || !std::equal(uid, uid + uidLength, session_.uid.begin(), session_.uid.end())) {
        return kNoCard;
    }
    const auto identity = IdentityOf(card, session_.uid.size());
    if (!identity) return kNoCard;
    *sak = identity->sak;
    session_.selected = true;
    return kOk;
}

int32_t Backend::Halt(int32_t) {
    if (const Status status = Selected(CardFamily::kNone); status != kOk) return status;
    session_.selected = false;
    session_.requested = false;
    session_.halted = true;
    return kOk;
}

int32_t Backend::UlSelect(int32_t, uint8_t* uid, uint8_t* length) {
    if (uid == nullptr || length == nullptr) return kBadArgument;
    Bytes found;
    if (const Status status = UidOf(CardFamily::kUltraLight, found); status != kOk) return status;
    if (found.size() != 7) return kCardError;
    session_.uid = found;
    session_.requested = session_.selected = true;
    session_.halted = false;
    std::copy(found.begin(), found.end(), uid);
    *length = 7;
    return kOk;
}

int32_t Backend::Authenticate(int32_t, uint8_t keyType, uint8_t block, const uint8_t* key) {
    if (key == nullptr || (keyType != kKeyA && keyType != kKeyB)) return kBadArgument;
    if (const Status status = Selected(CardFamily::kMifareClassic); status != kOk) return status;
    const uint8_t load[] = {0xFF, 0x82, 0x00, kKeySlot, uint8_t(kKeySize), key[0], key[1], key[2], key[3], key[4], key[5]};
    Bytes none;
    if (const Status status = Pseudo(load, 0, none); status != kOk) return status;
    const uint8_t authenticate[] = {0xFF, 0x86, 0x00, 0x00, 0x05, 0x01, 0x00, block, keyType, kKeySlot};
    return Pseudo(authenticate, 0, none);
}

int32_t Backend::Read(int32_t, uint8_t block, uint8_t* out, uint8_t* length) {
    if (out == nullptr || length == nullptr) return kBadArgument;
    if (const Status status = Selected(CardFamily::kNone); status != kOk) return status;
    if (session_.card.family != CardFamily::kMifareClassic && session_.card.family != CardFamily::kUltraLight) {
        return kCardError;
    }
    Bytes data;
    if (const Status status = Pseudo(ReadBinary(block, kBlockSize), kBlockSize, data); status != kOk) return status;
    std::copy(data.begin(), data.end(), out);
    *length = static_cast<uint8_t>(kBlockSize);
    return kOk;
}

int32_t Backend::Write(int32_t, uint8_t block, const uint8_t* data) {
    if (data == nullptr) return kBadArgument;
    if (const Status status = Selected(CardFamily::kNone); status != kOk) return status;
    if (session_.card.family != CardFamily::kMifareClassic && session_.card.family != CardFamily::kUltraLight) {
        return kCardError;
    }
    Bytes none;
    return Pseudo(UpdateBinary(block, std::span(data, kBlockSize)), 0, none);
}

int32_t Backend::InitValue(int32_t, uint8_t block, int32_t value) {
    if (const Status status = Selected(CardFamily::kMifareClassic); status != kOk) return status;
    // A value written over a trailer would lock its sector for good.
    if (block == 0) return kAccessDenied;
    if (mifare::IsTrailer(block)) return kNotValueBlock;
    const auto encoded = EncodeValueBlock(value, block);
    Bytes none;
    return Pseudo(UpdateBinary(block, encoded), 0, none);
}

int32_t Backend::ReadValue(int32_t, uint8_t block, int32_t* value) {
    if (value == nullptr) return kBadArgument;
    if (const Status status = Selected(CardFamily::kMifareClassic); status != kOk) return status;
    Bytes data;
    if (const Status status = Pseudo(ReadBinary(block, kBlockSize), kBlockSize, data); status != kOk) return status;
    const auto decoded = DecodeValueBlock(std::span<const uint8_t, kBlockSize>(data.data(), kBlockSize));
    if (!decoded) return kNotValueBlock;
    *value = decoded->value;
    return kOk;
}

int32_t Backend::UlWrite(int32_t, uint8_t page, const uint8_t* data) {
    if (data == nullptr) return kBadArgument;
    if (const Status status = Selected(CardFamily::kUltraLight); status != kOk) return status;
    Bytes none;
    return Pseudo(UpdateBinary(page, std::span(data, kPageSize)), 0, none);
}

Status Backend::IsoDepReset(uint8_t mode, size_t uidSize, uint8_t* out, uint8_t* length) {
    if (out == nullptr || length == nullptr || (mode != kRequestIdle && mode != kRequestAll)) return kBadArgument;
    ContactlessCard card;
    if (const Status status = Field(card); status != kOk) return status;
    if (card.family != CardFamily::kIsoDep || (session_.halted && mode == kRequestIdle)) return kNoCard;
    Bytes uid;
    if (const Status status = Uid(uid); status != kOk) return status;
    if (uid.size() != uidSize) return kNoCard;
    Bytes ats;
    const Status atsStatus = Pseudo(kGetAts, kAnySize, ats);
    if (atsStatus == kNoCard || atsStatus == kReaderBusy) return atsStatus;
    if (atsStatus != kOk || ats.empty()) ats = SynthesizedAts(card.historical);
    Bytes answer = uid;
    answer.insert(answer.end(), ats.begin(), ats.end());
    if (const Status status = CopyAnswer(answer, out, length); status != kOk) return status;
    session_.uid = uid;
    session_.requested = session_.selected = true;
    session_.halted = false;
    return kOk;
}

int32_t Backend::TypeARst(int32_t, uint8_t mode, uint8_t* out, uint8_t* length) {
    return IsoDepReset(mode, 4, out, length);
}

int32_t Backend::DesfireRst(int32_t, uint8_t mode, uint8_t* out, uint8_t* length) {
    return IsoDepReset(mode, 7, out, length);
}

int32_t Backend::CosCommand(int32_t, const uint8_t* command, uint8_t length, uint8_t* out, uint8_t* outLength) {
    if (command == nullptr || out == nullptr || outLength == nullptr) return kBadArgument;
    if (const Status status = Selected(CardFamily::kIsoDep); status != kOk) return status;
    return Answer(card_, command, length, out, outLength);
}

int32_t Backend::Deselect(int32_t) {
    if (const Status status = Selected(CardFamily::kIsoDep); status != kOk) return status;
    session_.selected = false;
    return kOk;
}

int32_t Backend::Inventory(int32_t, uint8_t* out, uint8_t* length) {
    if (out == nullptr || length == nullptr) return kBadArgument;
    Bytes uid;
    if (const Status status = UidOf(CardFamily::kVicinity, uid); status != kOk) return status;
    if (uid.size() != kVicinityUidSize) return kCardError;
    // The DSFID needs a raw frame: reported as 00.
    out[0] = 0x00;
    std::copy(uid.begin(), uid.end(), out + 1);
    *length = static_cast<uint8_t>(1 + uid.size());
    return kOk;
}

Status Backend::AddressedVicinity(uint8_t mode, const uint8_t* uid) {
    if (uid == nullptr || (mode & ~kVicinityOption) != kVicinityAddressed) return kBadArgument;
    Bytes present;
    if (const Status status = UidOf(CardFamily::kVicinity, present); status != kOk) return status;
    return std::equal(present.begin(), present.end(), uid, uid + kVicinityUidSize) ? kOk : kNoCard;
}

int32_t Backend::VicinityRead(int32_t, uint8_t mode, const uint8_t* uid, uint8_t block, uint8_t count,
                              uint8_t* out, uint8_t* length) {
    if (out == nullptr || length == nullptr || count == 0 || count > kMaxVicinityBlocks || block + count > 256) {
        return kBadArgument;
    }
    // The blocks' security status needs a raw frame.
    if (mode & kVicinityOption) return kNotSupported;
    if (const Status status = AddressedVicinity(mode, uid); status != kOk) return status;
    Bytes all;
    for (unsigned at = block; at < unsigned(block) + count; ++at) {
        Bytes data;
        const Status status = Pseudo(ReadBinary(uint8_t(at), kVicinityBlockSize), kVicinityBlockSize, data);
        if (status != kOk) return status;
        all.insert(all.end(), data.begin(), data.end());
    }
    std::copy(all.begin(), all.end(), out);
    *length = static_cast<uint8_t>(all.size());
    return kOk;
}

int32_t Backend::VicinityWrite(int32_t, uint8_t mode, const uint8_t* uid, uint8_t block, const uint8_t* data) {
    if (data == nullptr) return kBadArgument;
    if (const Status status = AddressedVicinity(mode, uid); status != kOk) return status;
    Bytes none;
    return Pseudo(UpdateBinary(block, std::span(data, kVicinityBlockSize)), 0, none);
}

}  // namespace kelvar::pcsc
