// A Mifare Classic card from any stored image, driven by any command sequence.
#include <array>

#include "fuzz_input.h"
#include "kelvar/cards/mifare_classic.h"

using namespace kelvar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint8_t setup = in.Byte();
    const mifare::CardSize cardSize = setup & 1 ? mifare::CardSize::k4K : mifare::CardSize::k1K;
    const size_t imageSize = cardSize == mifare::CardSize::k4K ? 4096 : 1024;
    ImageStore store;
    // A missing, exact, short or long stored image.
    switch ((setup >> 1) & 3) {
    case 1: store.Save("card.img", in.Take(imageSize)); break;
    case 2: store.Save("card.img", in.Take(in.Byte())); break;
    case 3: store.Save("card.img", in.Take(imageSize + 1 + in.Byte())); break;
    default: break;
    }
    MifareClassicCard card(cardSize, in.Take(setup & 8 ? 7 : 4), store, "card.img");

    while (!in.Empty()) {
        const uint8_t op = in.Byte();
        const int block = in.Byte() | (op & 0x80 ? 0x100 : 0);  // now and then out of range
        std::array<uint8_t, 16> out{};
        switch (op % 12) {
        case 0: { std::array<uint8_t, 2> atqa{}; card.Request(in.Byte(), atqa.data()); break; }
        case 1: {
            std::array<uint8_t, MifareClassicCard::kMaxUidSize> uid{};
            uint8_t length = 0;
            if (card.Anticoll(uid.data(), &length) == kOk) {
                uint8_t sak = 0;
                card.Select(uid.data(), length, &sak);
            }
            break;
        }
        case 2: card.Halt(); break;
        case 3: card.Authenticate(0x60 + (in.Byte() & 1), block, in.Take(6).data()); break;
        case 4: card.Read(block, out.data()); break;
        case 5: card.WriteBlock(block, in.Take(16).data()); break;
        case 6: card.InitValue(block, static_cast<int32_t>(in.U32())); break;
        case 7: card.Increment(block, static_cast<int32_t>(in.U32())); break;
        case 8: card.Decrement(block, static_cast<int32_t>(in.U32())); break;
        case 9: { int32_t value = 0; card.ReadValue(block, &value); break; }
        case 10: card.FieldReset(); break;
        default: {
            // A second card on the same store sees every saved change.
            MifareClassicCard again(cardSize, card.Uid(), store, "card.img");
            (void)again;
            break;
        }
        }
    }
    return 0;
}
