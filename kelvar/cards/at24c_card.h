// An I2C serial EEPROM memory card of the AT24C01 to AT24C64 family in the
// contact slot. Addresses past the end roll over to the start, as the chip's
// address counter does; the reader splits a write into the chip's pages, so a
// write of any length within the card lands where it was addressed. Every
// write is in the card's image on disk before it returns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "kelvar/cards/contact_card.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

struct At24cModel {
    const char* name;  // configuration name, "at24c64"
    size_t capacity;
};

// AT24C01 .. AT24C64 in that order.
const At24cModel* FindAt24cModel(std::string_view name);

class At24cCard : public ContactCard {
public:
    static constexpr size_t kMaxTransfer = 256;

    At24cCard(ImageStore& store, const At24cModel& model);

    const At24cModel& Model() const { return model_; }
    std::string ImageName() const override;
    // `out` receives `length` bytes (1..kMaxTransfer) from `address` on.
    Status Read(uint32_t address, size_t length, uint8_t* out) override;
    Status Write(uint32_t address, size_t length, const uint8_t* data) override;

private:

    ImageStore& store_;
    const At24cModel& model_;
    Bytes memory_;
};

}  // namespace kelvar
