#include "kelvar/cards/contact_card.h"

namespace kelvar {

Status ContactCard::Read(uint32_t, size_t, uint8_t*) { return kCardError; }
Status ContactCard::Write(uint32_t, size_t, const uint8_t*) { return kCardError; }
Status ContactCard::Reset(std::vector<uint8_t>&) { return kCardError; }
Status ContactCard::Exchange(std::span<const uint8_t>, std::vector<uint8_t>&) { return kCardError; }

}  // namespace kelvar
