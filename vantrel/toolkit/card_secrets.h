// What the operator typed on a card panel that opens the card: keys,
// passwords and the tag chosen. Commands beyond the panel's own buttons
// (card dumps) start from it.
#pragma once

#include <cstdint>
#include <vector>

#include "vantrel/toolkit/bytes.h"

struct CardSecrets {
    std::vector<Bytes> mifareKeys;  // 6 bytes each, in the panel's order
    Bytes ultralightCKey;           // 16 bytes, or empty
    Bytes tagUid;                   // the ISO 15693 tag chosen, 8 bytes, or empty
    // AT88SC1608
    Bytes secureCode;               // 3 bytes, or empty
    Bytes password;                 // 3 bytes, or empty
    uint8_t passwordIndex = 0;      // 0..7 write, 8..15 read passwords
    Bytes gc;                       // 8 bytes each, or empty
    Bytes q0;
};
