// Raw frames to the type B and ISO 15693 fields, APDUs to the contact
// processor card and the SAM, in any order, cards coming and going. Every
// answer fits its length byte, and no card's answer fails its CRC.
#include <vector>

#include "fuzz_input.h"
#include "kelvar/reader/contact_slot.h"
#include "kelvar/reader/iso14443b_field.h"
#include "kelvar/reader/iso15693_field.h"
#include "kelvar/reader/reader_config.h"
#include "kelvar/reader/sam_slot.h"

using namespace kelvar;

namespace {

void FixedRandom(std::span<uint8_t> out) {
    for (auto& b : out) b = 0x5A;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    ImageStore store;
    Iso14443bField typeB(store, DefaultFieldOrder());
    Iso15693Field vicinity(store, DefaultFieldOrder());
    ContactSlot contact(store, std::vector{CardKind::kContactCpu});
    SamSlot sam(FixedRandom);
    typeB.SetPowered(true);
    vicinity.SetPowered(true);
    contact.PowerUp();
    while (!in.Empty()) {
        const uint8_t target = in.Byte();
        const Bytes frame = in.Take(in.Byte() % 40);
        uint8_t out[256] = {};
        uint8_t length = 0;
        const auto size8 = static_cast<uint8_t>(frame.size());
        switch (target % 7) {
        case 0:
            FUZZ_CHECK(typeB.Transceive(frame.data(), size8, out, &length) != kBadFrameCrc);
            break;
        case 1:
            FUZZ_CHECK(vicinity.Transceive(frame.data(), size8, out, &length) != kBadFrameCrc);
            break;
        case 5: {
            // The frame's bytes name the cards left in the fields.
            std::vector<CardKind> placed;
            for (const uint8_t byte : frame) placed.push_back(static_cast<CardKind>(byte % virtual_cards::kCardCount));
            typeB.PlaceOnly(placed);
            vicinity.PlaceOnly(placed);
            break;
        }
        case 2:
            contact.Exchange(frame.data(), size8, out, &length);
            break;
        case 3:
            contact.ResetCard(out, &length);
            break;
        case 4:
            if (sam.Exchange(frame.data(), size8, out, &length) == kOk) FUZZ_CHECK(length >= 2);
            break;
        default:
            sam.PowerUp(target & 1);
            sam.Reset(out, &length);
            break;
        }
    }
    return 0;
}
