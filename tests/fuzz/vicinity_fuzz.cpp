// The ISO 15693 field with every tag kind and the SHC1102 tag, from any
// stored images, driven by any command sequence, tags placed and taken away.
#include <array>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "kelvar/reader/iso14443a_field.h"
#include "kelvar/reader/iso15693_field.h"

using namespace kelvar;

namespace {

constexpr const char* kImages[] = {"icodesli.img", "tagit.img", "srf55v01p.img", "srf55v02p.img",
                                   "srf55v10p.img", "sri64.img", "shc1102.img"};

constexpr CardKind kVicinityKinds[] = {CardKind::kICodeSli,  CardKind::kTagIt,     CardKind::kSrf55V02P,
                                       CardKind::kSrf55V10P, CardKind::kSrf55V01P, CardKind::kSri64};

void RunVicinity(Iso15693Field& field, FuzzInput& in) {
    std::array<uint8_t, 1024> out{};
    uint8_t length = 0;
    const std::vector<uint8_t> uid = in.Take(8);
    const uint8_t mode = in.Byte();
    const uint8_t a = in.Byte();
    const uint8_t b = in.Byte();
    const std::vector<uint8_t> data = in.Take(8);
    switch (in.Byte() % 10) {
    case 0: field.MakerInventory(a, b, out.data(), &length); break;
    case 1: field.Read(mode, uid.data(), a, b, out.data(), &length); break;
    case 2: field.Write(mode, uid.data(), a, data.data()); break;
    case 3: field.ReadPage(uid.data(), a, out.data(), &length); break;
    case 4: field.WritePageReadBack(uid.data(), a, data.data(), out.data(), &length); break;
    case 5: field.WriteByteBlock(mode, uid.data(), a, b); break;
    case 6: field.LockBlock(mode, uid.data(), a); break;
    case 7: {
        const std::vector<uint8_t> frame = in.Take(in.Byte() % 24);
        if (!frame.empty()) field.Transceive(frame.data(), static_cast<uint8_t>(frame.size()), out.data(), &length);
        break;
    }
    case 8: {
        // Tags come and go between commands.
        std::vector<CardKind> placed;
        for (size_t i = 0; i < std::size(kVicinityKinds); ++i) {
            if (a & (1u << i)) placed.push_back(kVicinityKinds[i]);
        }
        field.PlaceOnly(placed);
        break;
    }
    default: field.Inventory(out.data(), &length); break;
    }
    FUZZ_CHECK(length <= 255);
}

void RunShc(Iso14443aField& field, FuzzInput& in) {
    std::array<uint8_t, 16> out{};
    uint8_t length = 0;
    const uint8_t block = in.Byte();
    const std::vector<uint8_t> data = in.Take(4);
    switch (in.Byte() % 5) {
    case 0: field.Request(in.Byte() & 1 ? 0x52 : 0x26, out.data()); break;
    case 1: field.Shc1102Authenticate(data.data()); break;
    case 2: field.Shc1102Read(block, out.data(), &length); break;
    case 3: field.Shc1102Write(block, data.data()); break;
    default: field.SetPowered(in.Byte() & 1); break;
    }
    FUZZ_CHECK(length == 0 || length == 4);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    ImageStore store;
    for (const char* name : kImages) {
        if (in.Byte() & 1) store.Save(name, in.Take(in.Byte() * 5));
    }
    Iso15693Field field(store, kVicinityKinds);
    field.SetPowered(true);
    Iso14443aField typeA(store, std::vector<CardKind>{CardKind::kMifare1K, CardKind::kShc1102},
                         [](std::span<uint8_t> out) {
                             for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<uint8_t>(i);
                         });
    typeA.SetPowered(true);
    while (!in.Empty()) {
        if (in.Byte() & 1) {
            RunVicinity(field, in);
        } else {
            RunShc(typeA, in);
        }
    }
    return 0;
}
