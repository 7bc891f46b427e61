#include "kelvar/reader/type_a_cards.h"

#include "kelvar/cards/desfire_card.h"
#include "kelvar/cards/mifare_classic.h"
#include "kelvar/cards/ntag203_tag.h"
#include "kelvar/cards/pro_card.h"
#include "kelvar/cards/shc1102_tag.h"
#include "kelvar/cards/ultralight_c_tag.h"
#include "kelvar/cards/ultralight_tag.h"

namespace kelvar {

namespace {

using Factory = std::unique_ptr<TypeACard> (*)(ImageStore&);

template <mifare::CardSize kSize, const auto& kUid, const char* kImageName>
std::unique_ptr<TypeACard> MakeMifare(ImageStore& store) {
    return std::make_unique<MifareClassicCard>(kSize, Bytes(kUid.begin(), kUid.end()), store, kImageName);
}

template <typename Tag>
std::unique_ptr<TypeACard> MakeTag(ImageStore& store) {
    return std::make_unique<Tag>(store);
}

struct Row {
    CardKind kind;
    Factory make;
};

constexpr Row kCards[] = {
    {CardKind::kMifare1K, MakeMifare<mifare::CardSize::k1K, kMifare1KUid, kMifare1KImageName>},
    {CardKind::kMifare4K, MakeMifare<mifare::CardSize::k4K, kMifare4KUid, kMifare4KImageName>},
    {CardKind::kUltraLight, MakeTag<UltralightTag>},
    {CardKind::kUltraLightC, MakeTag<UltralightCTag>},
    {CardKind::kNtag203, MakeTag<Ntag203Tag>},
    {CardKind::kMifarePro, MakeTag<ProCard>},
    {CardKind::kDesFire, MakeTag<DesfireCard>},
    {CardKind::kShc1102, MakeTag<Shc1102Tag>},
};

}  // namespace

std::unique_ptr<TypeACard> MakeTypeACard(CardKind kind, ImageStore& store) {
    for (const Row& row : kCards) {
        if (row.kind == kind) return row.make(store);
    }
    return nullptr;
}

}  // namespace kelvar
