// A card in the contact slot, seen the same way whatever its family. The
// commands of every family answer kCardError unless the family overrides
// them, as a chip ignores a command it does not know.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "kelvar/status.h"

namespace kelvar {

class ContactCard {
public:
    ContactCard() = default;
    ContactCard(const ContactCard&) = delete;
    ContactCard& operator=(const ContactCard&) = delete;
    virtual ~ContactCard() = default;

    // Memory cards: `length` bytes from byte `address` on.
    virtual Status Read(uint32_t address, size_t length, uint8_t* out);
    virtual Status Write(uint32_t address, size_t length, const uint8_t* data);

    // Processor cards: the answer to reset, which also ends any session, and
    // the answer to an APDU.
    virtual Status Reset(std::vector<uint8_t>& atr);
    virtual Status Exchange(std::span<const uint8_t> apdu, std::vector<uint8_t>& answer);
};

}  // namespace kelvar
