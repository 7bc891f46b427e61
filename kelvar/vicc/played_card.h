// The cards kelvar-vicc plays to a virtual PC/SC reader, on the library's own
// card models: what the reader sees of each (ATR, APDUs) as a real reader
// would pass it on. Contactless cards answer the reader's pseudo-APDUs
// (GET DATA, LOAD KEYS, GENERAL AUTHENTICATE, READ and UPDATE BINARY) as a
// contactless reader's firmware does; contact cards speak T=0 (61xx, 6Cxx).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "kelvar/store/image_store.h"

namespace kelvar::vicc {

class PlayedCard {
public:
    virtual ~PlayedCard() = default;
    virtual Bytes Atr() const = 0;
    // Power on and reset start a new session.
    virtual void PowerOn() = 0;
    virtual Bytes Answer(std::span<const uint8_t> apdu) = 0;
};

// "cpu", "sam", "mifare1k", "ultralight", "isodep", "iso15693"; nothing for another name.
std::unique_ptr<PlayedCard> MakePlayedCard(std::string_view name, ImageStore& store);

inline constexpr std::string_view kPlayedCardNames = "cpu|sam|mifare1k|ultralight|isodep|iso15693";

}  // namespace kelvar::vicc
