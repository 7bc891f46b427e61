// Which bytes of a call are keys, passwords or secure codes: one table, per
// function and argument, of the bytes a saved journal masks. Most rows cover
// a whole buffer; some only when the call addresses where a card keeps its
// keys (a Mifare trailer, the UltraLight C key pages, the AT88SC1608 seed and
// passwords, the data of a VERIFY or CHANGE REFERENCE DATA command).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace journal {

enum class SecretWhen : uint8_t {
    Always,
    MifareTrailer,       // the block (argument 1) is a sector trailer: key A, key B
    UltraLightKeyPage,   // the page (argument 1) is one of the UltraLight C key pages
    At1608Secrets,       // the configuration zone's seed and password sets
    ReferenceData,       // an APDU's data after VERIFY, CHANGE REFERENCE DATA, RESET RETRY COUNTER
};

struct SecretRule {
    int ordinal;
    int position;     // the buffer argument
    SecretWhen when;
    int address = -1;  // the argument naming the block, page or first address
    int zone = -1;     // the argument naming the AT88SC1608 zone
};

std::span<const SecretRule> SecretRules();

// Which of `bytes`, argument `position` of a call of `ordinal` whose scalar
// arguments are `values` (by position; 0 for pointers), are secret: one flag
// per byte. Empty when none is.
std::vector<bool> SecretBytes(int ordinal, int position, std::span<const int64_t> values,
                              std::span<const uint8_t> bytes);

}  // namespace journal
