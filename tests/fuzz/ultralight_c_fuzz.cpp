// The UltraLight C from any stored image, driven by any command sequence,
// its 3DES authentication and key change included.
#include "kelvar/cards/ultralight_c_tag.h"
#include "tag_commands.h"

using namespace kelvar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    ImageStore store;
    StoreTagImage(store, in, UltralightCTag::FactoryImage(UltralightCTag::kDefaultUid).size() /
                                 UltralightFamilyTag::kPageSize);
    uint8_t counter = in.Byte();
    UltralightCTag tag(store, "tag.img", TakeUid(in), [&counter](std::span<uint8_t> out) {
        for (auto& b : out) b = counter++;
    });
    RunTagCommands(tag, in, [&tag](uint8_t op, FuzzInput& input) {
        if (op & 0x40) {
            DesBlock challenge{};
            tag.StartAuthentication(challenge);
        } else if (op & 0x20) {
            UltralightCResponse response{};
            for (auto& b : response) b = input.Byte();
            DesBlock answer{};
            tag.FinishAuthentication(response, answer);
        } else {
            tag.ChangeTripleDesKey(input.Take(16).data());
        }
    });
    return 0;
}
