// The processor cards' ISO 7816-4 responder: any sequence of commands gets
// answers that fit the transports and end in a status word, and only an
// answered update changes the image.
#include "fuzz_input.h"
#include "kelvar/cards/apdu_responder.h"

using namespace kelvar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    FileLayout layout{{{0x0001, 1, 32}},
                      {{0x1001, {0xF0, 0x4B, 0x56, 0x01}, {{0x0101, 1, 64}, {0x0102, 2, 300}}}}};
    uint8_t counter = 0;
    ApduResponder card(layout, [&counter](std::span<uint8_t> out) {
        for (auto& b : out) b = counter++;
    });
    while (!in.Empty()) {
        const uint8_t op = in.Byte();
        if (op == 0xFF) {
            card.Reset();
            continue;
        }
        const Bytes before = card.Image();
        const Bytes apdu = in.Take(op % 64);
        const auto answer = card.Respond(apdu);
        FUZZ_CHECK(answer.bytes.size() >= 2);
        FUZZ_CHECK(answer.bytes.size() <= ApduResponder::kMaxAnswerData + 2);
        FUZZ_CHECK(card.Image().size() == card.ImageSize());
        if (!answer.changed) FUZZ_CHECK(card.Image() == before);
        if (answer.changed && (op & 1)) {
            card.RevertLastUpdate();
            FUZZ_CHECK(card.Image() == before);
        }
    }
    return 0;
}
