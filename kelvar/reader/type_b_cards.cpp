#include "kelvar/reader/type_b_cards.h"

#include "kelvar/cards/smart_card_b.h"

namespace kelvar {

namespace {

using Factory = std::unique_ptr<TypeBCard> (*)(ImageStore&);

template <typename Card>
std::unique_ptr<TypeBCard> Make(ImageStore& store) {
    return std::make_unique<Card>(store);
}

struct Row {
    CardKind kind;
    Factory make;
};

constexpr Row kCards[] = {
    {CardKind::kSmartCardB, Make<SmartCardB>},
};

}  // namespace

std::unique_ptr<TypeBCard> MakeTypeBCard(CardKind kind, ImageStore& store) {
    for (const Row& row : kCards) {
        if (row.kind == kind) return row.make(store);
    }
    return nullptr;
}

}  // namespace kelvar
