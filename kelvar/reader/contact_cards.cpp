#include "kelvar/reader/contact_cards.h"

#include "kelvar/cards/at24c_card.h"
#include "kelvar/cards/at88sc1608_card.h"
#include "kelvar/cards/contact_cpu_card.h"

namespace kelvar {

std::unique_ptr<ContactCard> MakeContactCard(std::string_view name, ImageStore& store) {
    if (const At24cModel* model = FindAt24cModel(name)) return std::make_unique<At24cCard>(store, *model);
    if (name == "at88sc1608") return std::make_unique<At88sc1608Card>(store);
    if (name == kContactCpuCardName) return std::make_unique<ContactCpuCard>(store);
    return nullptr;
}

}  // namespace kelvar
