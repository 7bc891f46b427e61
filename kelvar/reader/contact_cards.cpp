#include "kelvar/reader/contact_cards.h"

#include "kelvar/cards/at24c_card.h"

namespace kelvar {

std::unique_ptr<ContactCard> MakeContactCard(std::string_view name, ImageStore& store) {
    if (const At24cModel* model = FindAt24cModel(name)) return std::make_unique<At24cCard>(store, *model);
    return nullptr;
}

}  // namespace kelvar
