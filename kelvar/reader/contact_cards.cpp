#include "kelvar/reader/contact_cards.h"

#include "kelvar/cards/at24c_card.h"
#include "kelvar/cards/at88sc1608_card.h"
#include "kelvar/cards/contact_cpu_card.h"

namespace kelvar {

std::unique_ptr<ContactCard> MakeContactCard(CardKind kind, ImageStore& store) {
    if (kind == CardKind::kAt88sc1608) return std::make_unique<At88sc1608Card>(store);
    if (kind == CardKind::kContactCpu) return std::make_unique<ContactCpuCard>(store);
    if (!IsContactKind(kind)) return nullptr;
    if (const At24cModel* model = FindAt24cModel(CardKindName(kind))) return std::make_unique<At24cCard>(store, *model);
    return nullptr;
}

}  // namespace kelvar
