// The DESFire native commands: any sequence answers one frame at a time, each
// beginning with a status byte and no longer than a frame may be.
#include "fuzz_input.h"
#include "kelvar/cards/desfire_commands.h"

using namespace kelvar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    std::vector<uint8_t> big(200);
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i);
    DesfireCommands card({0x04, 1, 2, 3, 4, 5, 6}, {{0x000001, {{0, {1, 2, 3}}, {1, big}}}, {0x0000F0, {}}});
    while (!in.Empty()) {
        const uint8_t op = in.Byte();
        if (op == 0xFF) {
            card.Reset();
            continue;
        }
        const auto answer = card.Respond(in.Take(op % 12));
        FUZZ_CHECK(!answer.empty());
        FUZZ_CHECK(answer.size() <= 1 + desfire::kFrameData);
    }
    return 0;
}
