#include "kelvar/cards/contact_card.h"

namespace kelvar {

Status ContactCard::Read(uint32_t, size_t, uint8_t*) { return kCardError; }
Status ContactCard::Write(uint32_t, size_t, const uint8_t*) { return kCardError; }
Status ContactCard::SecureReset(uint8_t*) { return kCardError; }
Status ContactCard::Authenticate(const uint8_t*, const uint8_t*) { return kCardError; }
Status ContactCard::VerifyPassword(uint8_t, const uint8_t*) { return kCardError; }
Status ContactCard::ReadZone(uint8_t, uint8_t, size_t, uint8_t*) { return kCardError; }
Status ContactCard::WriteZone(uint8_t, uint8_t, size_t, const uint8_t*) { return kCardError; }
Status ContactCard::ReadFuses(uint8_t*) { return kCardError; }
Status ContactCard::BlowFuse() { return kCardError; }
Status ContactCard::Reset(std::vector<uint8_t>&) { return kCardError; }
Status ContactCard::Exchange(std::span<const uint8_t>, std::vector<uint8_t>&) { return kCardError; }

}  // namespace kelvar
