#include "vantrel/reader/virtual_field.h"

namespace {

constexpr int32_t kNoCard = 0x10;  // the reader does not hold the card
constexpr size_t kAnswerSize = 256;

uint8_t Number(VirtualCard card) { return static_cast<uint8_t>(card); }

}  // namespace

bool VirtualField::Offered() const {
    return reader_.VirtualCardState.IsBound() && reader_.VirtualCardsPlace.IsBound() &&
           reader_.VirtualCardFactoryReset.IsBound() && reader_.VirtualFieldFollow.IsBound() &&
           reader_.VirtualFieldSetFollow.IsBound();
}

std::optional<std::vector<VirtualCardInfo>> VirtualField::Cards() const {
    if (!Reachable()) return std::nullopt;
    std::vector<VirtualCardInfo> cards;
    for (const VirtualCardRow& row : VirtualCardRows()) {
        uint8_t answer[kAnswerSize] = {};
        uint8_t length = 0;
        const int32_t status = reader_.VirtualCardState(kDevice, Number(row.card), answer, &length);
        if (status == kNoCard) continue;
        if (status != 0 || length < 1) return std::nullopt;
        cards.push_back({row.card, (answer[0] & virtual_cards::kInField) != 0,
                         std::vector<uint8_t>(answer + 1, answer + length)});
    }
    return cards;
}

int32_t VirtualField::Place(std::span<const VirtualCard> cards) const {
    std::vector<uint8_t> numbers;
    for (const VirtualCard card : cards) numbers.push_back(Number(card));
    // Never a null buffer, for an empty field too.
    numbers.reserve(1);
    return reader_.VirtualCardsPlace(kDevice, numbers.data(), static_cast<uint8_t>(numbers.size()));
}

int32_t VirtualField::FactoryReset(VirtualCard card) const {
    return reader_.VirtualCardFactoryReset(kDevice, Number(card));
}

std::optional<bool> VirtualField::FollowsCardType() const {
    if (!Reachable()) return std::nullopt;
    uint8_t on = 0;
    if (reader_.VirtualFieldFollow(kDevice, &on) != 0) return std::nullopt;
    return on != 0;
}

int32_t VirtualField::SetFollowsCardType(bool on) const {
    return reader_.VirtualFieldSetFollow(kDevice, on ? 1 : 0);
}

bool VirtualField::FollowCardType(int32_t code) const {
    const auto cards = CardsOfCardType(code);
    if (!cards || FollowsCardType() != true) return false;
    return Place(*cards) == 0;
}
