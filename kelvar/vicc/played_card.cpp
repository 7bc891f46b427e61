#include "kelvar/vicc/played_card.h"

#include <algorithm>
#include <optional>

#include "kelvar/cards/contact_card.h"
#include "kelvar/cards/iso15693_tag.h"
#include "kelvar/cards/sam_card.h"
#include "kelvar/cards/type_a_card.h"
#include "kelvar/reader/contact_cards.h"
#include "kelvar/reader/type_a_cards.h"
#include "kelvar/reader/vicinity_tags.h"

namespace kelvar::vicc {

namespace {

const Bytes kOkWord = {0x90, 0x00};

Bytes Word(uint8_t sw1, uint8_t sw2) { return {sw1, sw2}; }

// The status word a reader's firmware gives for a card's status.
Bytes WordOf(Status status) {
    switch (status) {
        case kOk: return kOkWord;
        case kAuthFailed: return Word(0x63, 0x00);
        case kNotAuthenticated: return Word(0x69, 0x82);
        case kAccessDenied: return Word(0x69, 0x86);
        case kBadArgument: return Word(0x6B, 0x00);
        case kNoCard:
        case kNotSelected: return Word(0x64, 0x00);
        default: return Word(0x6F, 0x00);
    }
}

Bytes WithOk(Bytes data) {
    data.insert(data.end(), kOkWord.begin(), kOkWord.end());
    return data;
}

// A T=0 card: data of a command that carries data comes by GET RESPONSE
// (61xx), and a wrong Le of a command without data is answered 6Cxx.
class T0Card : public PlayedCard {
public:
    void PowerOn() override {
        pending_.clear();
        OnPowerOn();
    }

    Bytes Answer(std::span<const uint8_t> apdu) override {
        if (apdu.size() == 5 && apdu[1] == 0xC0 && !pending_.empty()) return GetResponse(apdu[4]);
        pending_.clear();
        Bytes answer = Respond(apdu);
        if (answer.size() <= 2) return answer;
        const Bytes word(answer.end() - 2, answer.end());
        answer.resize(answer.size() - 2);
        if (apdu.size() > 5) {
            pending_ = answer;
            pendingWord_ = word;
            return Word(0x61, uint8_t(pending_.size()));
        }
        const size_t le = apdu.size() == 5 ? (apdu[4] == 0 ? 256 : apdu[4]) : 0;
        if (le != answer.size()) return Word(0x6C, uint8_t(answer.size()));
        answer.insert(answer.end(), word.begin(), word.end());
        return answer;
    }

protected:
    virtual void OnPowerOn() = 0;
    virtual Bytes Respond(std::span<const uint8_t> apdu) = 0;

private:
    Bytes GetResponse(uint8_t le) {
        const size_t wanted = le == 0 ? 256 : le;
        if (wanted > pending_.size()) return Word(0x6C, uint8_t(pending_.size()));
        Bytes answer(pending_.begin(), pending_.begin() + wanted);
        pending_.erase(pending_.begin(), pending_.begin() + wanted);
        if (!pending_.empty()) {
            answer.push_back(0x61);
            answer.push_back(uint8_t(pending_.size()));
        } else {
            answer.insert(answer.end(), pendingWord_.begin(), pendingWord_.end());
        }
        return answer;
    }

    Bytes pending_;
    Bytes pendingWord_;
};

class CpuCard final : public T0Card {
public:
    explicit CpuCard(ImageStore& store) : card_(MakeContactCard(CardKind::kContactCpu, store)) { OnPowerOn(); }
    Bytes Atr() const override { return atr_; }

private:
    void OnPowerOn() override {
        card_->OnPowerUp();
        card_->Reset(atr_);
    }
    Bytes Respond(std::span<const uint8_t> apdu) override {
        Bytes answer;
        return card_->Exchange(apdu, answer) == kOk ? answer : Word(0x6F, 0x00);
    }

    std::unique_ptr<ContactCard> card_;
    Bytes atr_;
};

class SamPlayed final : public T0Card {
public:
    SamPlayed() { OnPowerOn(); }
    Bytes Atr() const override { return atr_; }

private:
    void OnPowerOn() override {
        const auto atr = sam_.Reset(SamCard::kBaud9600);
        atr_.assign(atr.begin(), atr.end());
    }
    Bytes Respond(std::span<const uint8_t> apdu) override { return sam_.Respond(apdu); }

    SamCard sam_;
    Bytes atr_;
};

// The ATR a contactless reader builds for a storage card.
Bytes StorageAtr(uint8_t standard, uint16_t name) {
    Bytes atr = {0x3B, 0x8F, 0x80, 0x01, 0x80, 0x4F, 0x0C, 0xA0, 0x00, 0x00, 0x03, 0x06, standard,
                 uint8_t(name >> 8), uint8_t(name), 0x00, 0x00, 0x00, 0x00};
    uint8_t check = 0;
    for (size_t i = 1; i < atr.size(); ++i) check ^= atr[i];
    atr.push_back(check);
    return atr;
}

bool IsPseudo(std::span<const uint8_t> apdu, uint8_t instruction) {
    return apdu.size() >= 5 && apdu[0] == 0xFF && apdu[1] == instruction;
}

// A type A card behind a reader: activated at power-on and after a failed
// authentication, as reader firmware does before the next command.
class TypeAPlayed : public PlayedCard {
public:
    TypeAPlayed(std::unique_ptr<TypeACard> card, Bytes atr) : card_(std::move(card)), atr_(std::move(atr)) {}
    Bytes Atr() const override { return atr_; }
    void PowerOn() override {
        card_->FieldReset();
        Activate();
    }

    Bytes Answer(std::span<const uint8_t> apdu) override {
        if (IsPseudo(apdu, 0xCA) && apdu[2] == 0x00) return WithOk(card_->Uid());
        if (apdu.size() >= 1 && apdu[0] == 0xFF) {
            if (!card_->IsActive()) Activate();
            if (std::optional<Bytes> answer = Storage(apdu)) return *answer;
            return Word(0x6A, 0x81);
        }
        return Apdu(apdu);
    }

protected:
    virtual std::optional<Bytes> Storage(std::span<const uint8_t> apdu) = 0;
    virtual Bytes Apdu(std::span<const uint8_t>) { return Word(0x6D, 0x00); }
    virtual void OnActivated() {}

    Bytes ReadBlock(uint8_t block) {
        uint8_t data[TypeACard::kBlockSize] = {};
        const Status status = card_->Read(block, data);
        return status == kOk ? WithOk(Bytes(data, data + sizeof data)) : WordOf(status);
    }

    void Activate() {
        uint8_t atqa[2] = {};
        uint8_t uid[TypeACard::kMaxUidSize] = {};
        uint8_t length = 0;
        uint8_t sak = 0;
        if (card_->Request(TypeACard::kRequestAll, atqa) == kOk && card_->Anticoll(uid, &length) == kOk &&
            card_->Select(uid, length, &sak) == kOk) {
            OnActivated();
        }
    }

    std::unique_ptr<TypeACard> card_;
    Bytes atr_;
};

class MifarePlayed final : public TypeAPlayed {
public:
    explicit MifarePlayed(ImageStore& store)
        : TypeAPlayed(MakeTypeACard(CardKind::kMifare1K, store), StorageAtr(0x03, 0x0001)) {}

private:
    std::optional<Bytes> Storage(std::span<const uint8_t> apdu) override {
        if (IsPseudo(apdu, 0x82)) {
            if (apdu.size() != 11 || apdu[4] != 6) return Word(0x67, 0x00);
            if (apdu[3] != 0x00) return Word(0x6A, 0x82);
            std::copy(apdu.begin() + 5, apdu.end(), key_.begin());
            keyLoaded_ = true;
            return kOkWord;
        }
        if (IsPseudo(apdu, 0x86)) {
            if (apdu.size() != 10 || apdu[4] != 5 || apdu[5] != 0x01) return Word(0x67, 0x00);
            if (!keyLoaded_ || apdu[9] != 0x00) return Word(0x69, 0x86);
            const Status status = card_->Authenticate(apdu[8], apdu[7], key_.data());
            if (status == kOk) return kOkWord;
            return status == kBadArgument ? Word(0x6B, 0x00) : Word(0x63, 0x00);
        }
        if (IsPseudo(apdu, 0xB0)) {
            if (apdu.size() != 5 || apdu[4] != 16) return Word(0x6C, 16);
            return ReadBlock(apdu[3]);
        }
        if (IsPseudo(apdu, 0xD6)) {
            if (apdu[4] != 16 || apdu.size() != 21) return Word(0x67, 0x00);
            return WordOf(card_->WriteBlock(apdu[3], apdu.data() + 5));
        }
        return std::nullopt;
    }

    std::array<uint8_t, 6> key_{};
    bool keyLoaded_ = false;
};

class UltraLightPlayed final : public TypeAPlayed {
public:
    explicit UltraLightPlayed(ImageStore& store)
        : TypeAPlayed(MakeTypeACard(CardKind::kUltraLight, store), StorageAtr(0x03, 0x0003)) {}

private:
    std::optional<Bytes> Storage(std::span<const uint8_t> apdu) override {
        if (IsPseudo(apdu, 0xB0)) {
            if (apdu.size() != 5 || apdu[4] != 16) return Word(0x6C, 16);
            return ReadBlock(apdu[3]);
        }
        if (IsPseudo(apdu, 0xD6)) {
            if (apdu[4] == 4 && apdu.size() == 9) return WordOf(card_->WritePage(apdu[3], apdu.data() + 5));
            if (apdu[4] == 16 && apdu.size() == 21) return WordOf(card_->WriteBlock(apdu[3], apdu.data() + 5));
            return Word(0x67, 0x00);
        }
        return std::nullopt;
    }
};

// An ISO 14443-4 card: its ATR carries the ATS's historical bytes; APDUs go to the card.
class IsoDepPlayed final : public TypeAPlayed {
public:
    explicit IsoDepPlayed(ImageStore& store) : TypeAPlayed(MakeTypeACard(CardKind::kMifarePro, store), {}) {
        Activate();
        atr_ = {0x3B, uint8_t(0x80 | historical_.size()), 0x80, 0x01};
        atr_.insert(atr_.end(), historical_.begin(), historical_.end());
        uint8_t check = 0;
        for (size_t i = 1; i < atr_.size(); ++i) check ^= atr_[i];
        atr_.push_back(check);
    }

private:
    void OnActivated() override {
        ats_.clear();
        if (card_->AnswerToSelect(ats_) != kOk || ats_.empty()) return;
        // TL, T0 and the interface bytes T0 announces come before the historical bytes.
        size_t at = 2 + ((ats_[1] & 0x10) != 0) + ((ats_[1] & 0x20) != 0) + ((ats_[1] & 0x40) != 0);
        historical_.assign(ats_.begin() + std::min(at, ats_.size()), ats_.end());
        if (historical_.size() > 15) historical_.resize(15);
    }

    std::optional<Bytes> Storage(std::span<const uint8_t> apdu) override {
        if (IsPseudo(apdu, 0xCA) && apdu[2] == 0x01) return WithOk(ats_);
        return std::nullopt;
    }

    Bytes Apdu(std::span<const uint8_t> apdu) override {
        if (!card_->IsActive()) Activate();
        Bytes answer;
        return card_->Exchange(apdu, answer) == kOk ? answer : Word(0x6F, 0x00);
    }

    Bytes ats_;
    Bytes historical_;
};

class VicinityPlayed final : public PlayedCard {
public:
    explicit VicinityPlayed(ImageStore& store) : tag_(MakeVicinityTag(CardKind::kICodeSli, store)) {}
    Bytes Atr() const override { return StorageAtr(0x0B, 0x0000); }
    void PowerOn() override {}

    Bytes Answer(std::span<const uint8_t> apdu) override {
        if (IsPseudo(apdu, 0xCA) && apdu[2] == 0x00) return WithOk(Bytes(tag_->Uid().begin(), tag_->Uid().end()));
        if (IsPseudo(apdu, 0xB0)) {
            if (apdu.size() != 5 || apdu[4] != Iso15693Tag::kBlockSize) return Word(0x6C, Iso15693Tag::kBlockSize);
            uint8_t data[Iso15693Tag::kBlockSize] = {};
            uint8_t length = 0;
            const Status status = tag_->ReadAnswer(false, apdu[3], 1, data, &length);
            return status == kOk ? WithOk(Bytes(data, data + length)) : WordOf(status);
        }
        if (IsPseudo(apdu, 0xD6)) {
            if (apdu[4] != Iso15693Tag::kBlockSize || apdu.size() != 5 + Iso15693Tag::kBlockSize) {
                return Word(0x67, 0x00);
            }
            return WordOf(tag_->WriteBlock(true, apdu[3], apdu.data() + 5));
        }
        return apdu.size() >= 1 && apdu[0] == 0xFF ? Word(0x6A, 0x81) : Word(0x6D, 0x00);
    }

private:
    std::unique_ptr<Iso15693Tag> tag_;
};

}  // namespace

std::unique_ptr<PlayedCard> MakePlayedCard(std::string_view name, ImageStore& store) {
    if (name == "cpu") return std::make_unique<CpuCard>(store);
    if (name == "sam") return std::make_unique<SamPlayed>();
    if (name == "mifare1k") return std::make_unique<MifarePlayed>(store);
    if (name == "ultralight") return std::make_unique<UltraLightPlayed>(store);
    if (name == "isodep") return std::make_unique<IsoDepPlayed>(store);
    if (name == "iso15693") return std::make_unique<VicinityPlayed>(store);
    return nullptr;
}

}  // namespace kelvar::vicc
