// The At88sc1608Card from any stored image, driven by any command sequence.
#include <memory>
#include <vector>

#include "fuzz_input.h"
#include "kelvar/cards/at88sc1608_card.h"

using namespace kelvar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    ImageStore store;
    switch (in.Byte() & 3) {
    case 1: store.Save("at88sc1608.img", in.Take(at88sc1608::kImageSize)); break;
    case 2: store.Save("at88sc1608.img", in.Take(in.Byte())); break;
    case 3: store.Save("at88sc1608.img", in.Take(at88sc1608::kImageSize + 1 + in.Byte())); break;
    default: break;
    }
    At88sc1608Card card(store);
    std::vector<uint8_t> buffer(256);
    while (!in.Empty()) {
        switch (in.Byte() % 8) {
        case 0: card.SecureReset(buffer.data()); break;
        case 1: {
            const auto q0 = in.Take(8);
            const auto q1 = in.Take(8);
            card.Authenticate(q0.data(), q1.data());
            break;
        }
        case 2: {
            const uint8_t index = in.Byte();
            card.VerifyPassword(index, in.Take(3).data());
            break;
        }
        case 3: {
            // Buffers of exactly the length asked for: 0 to 511 bytes.
            const uint8_t zone = in.Byte(), address = in.Byte();
            const size_t length = in.Byte() | size_t(in.Byte() & 1) << 8;
            const auto out = std::make_unique<uint8_t[]>(length);
            card.ReadZone(zone, address, length, out.get());
            break;
        }
        case 4: {
            const uint8_t zone = in.Byte(), address = in.Byte();
            const size_t length = in.Byte() | size_t(in.Byte() & 1) << 8;
            const auto data = std::make_unique<uint8_t[]>(length);
            for (size_t i = 0; i < length; ++i) data[i] = in.Byte();
            card.WriteZone(zone, address, length, data.get());
            break;
        }
        case 5: card.ReadFuses(buffer.data()); break;
        case 6: card.BlowFuse(); break;
        default: card.OnPowerUp(); break;
        }
    }
    return 0;
}
