// The program's one caller of the virtual reader's own functions: the cards
// it holds and places, their factory content, and whether its field follows
// the card type. These calls are never in the result log. A reader maker's
// library has none of the functions: then nothing here is called.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "vantrel/reader/reader_connection.h"
#include "vantrel/reader/reader_library.h"
#include "vantrel/reader/virtual_card_table.h"

struct VirtualCardInfo {
    VirtualCard card;
    bool inField = false;
    std::vector<uint8_t> identity;  // UID or PUPI; empty for contact cards
};

class VirtualField {
public:
    VirtualField(ReaderLibrary& reader, const ReaderConnection& connection)
        : reader_(reader), connection_(connection) {}

    // The library has the functions: the program offers the dialog.
    bool Offered() const;
    // Offered, and a connection is open for the calls to reach the reader.
    bool Reachable() const { return Offered() && connection_.open; }

    // The cards the reader holds, in the table's order; nothing when a call
    // fails.
    std::optional<std::vector<VirtualCardInfo>> Cards() const;
    int32_t Place(std::span<const VirtualCard> cards) const;
    int32_t FactoryReset(VirtualCard card) const;
    std::optional<bool> FollowsCardType() const;
    int32_t SetFollowsCardType(bool on) const;

    // Places the cards of card type `code` alone, when the reader is
    // reachable and follows the card type; true when it placed them.
    bool FollowCardType(int32_t code) const;

private:
    ReaderLibrary& reader_;
    const ReaderConnection& connection_;
};
