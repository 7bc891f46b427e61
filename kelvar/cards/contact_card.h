// A card in the contact slot, seen the same way whatever its family. The
// commands of every family answer kCardError unless the family overrides
// them, as a chip ignores a command it does not know.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "kelvar/status.h"

namespace kelvar {

class ContactCard {
public:
    ContactCard() = default;
    ContactCard(const ContactCard&) = delete;
    ContactCard& operator=(const ContactCard&) = delete;
    virtual ~ContactCard() = default;

    // The name of the card's image in the store.
    virtual std::string ImageName() const = 0;

    // Memory cards: `length` bytes from byte `address` on.
    virtual Status Read(uint32_t address, size_t length, uint8_t* out);
    virtual Status Write(uint32_t address, size_t length, const uint8_t* data);

    // Called as the slot powers up: the card forgets its session.
    virtual void OnPowerUp() {}

    // Secure memory cards: the 4-byte answer to reset, the host's answer Q1
    // to challenge Q0 (8 bytes each), password `index` (0..7 write, 8..15
    // read; 3 bytes), zones 0..7 (user) and 8 (configuration), where a
    // length of 0 is a whole 256-byte zone, and the fuses.
    virtual Status SecureReset(uint8_t* answer);
    virtual Status Authenticate(const uint8_t* q0, const uint8_t* q1);
    virtual Status VerifyPassword(uint8_t index, const uint8_t* password);
    virtual Status ReadZone(uint8_t zone, uint8_t address, size_t length, uint8_t* out);
    virtual Status WriteZone(uint8_t zone, uint8_t address, size_t length, const uint8_t* data);
    virtual Status ReadFuses(uint8_t* fuses);
    virtual Status BlowFuse();
    // Processor cards: the answer to reset, which also ends any session, and
    // the answer to an APDU.
    virtual Status Reset(std::vector<uint8_t>& atr);
    virtual Status Exchange(std::span<const uint8_t> apdu, std::vector<uint8_t>& answer);
};

}  // namespace kelvar
