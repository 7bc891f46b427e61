#include "kelvar/reader/type_b_cards.h"

#include "kelvar/cards/at88rf020_tag.h"
#include "kelvar/cards/smart_card_b.h"
#include "kelvar/cards/sr176_tag.h"
#include "kelvar/cards/srix4k_tag.h"
#include "kelvar/cards/thr1064_tag.h"

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
    {CardKind::kAt88Rf020, Make<At88rf020Tag>},
    {CardKind::kSr176, Make<Sr176Tag>},
    {CardKind::kSrix4K, Make<Srix4kTag>},
    {CardKind::kSmartCardB, Make<SmartCardB>},
    {CardKind::kThr1064, Make<Thr1064Tag>},
};

}  // namespace

std::unique_ptr<TypeBCard> MakeTypeBCard(CardKind kind, ImageStore& store) {
    for (const Row& row : kCards) {
        if (row.kind == kind) return row.make(store);
    }
    return nullptr;
}

}  // namespace kelvar
