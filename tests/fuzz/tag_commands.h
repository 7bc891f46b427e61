// The command sequence shared by the page-addressed tag targets. `extra`
// handles the operations only one model has.
#pragma once

#include <array>

#include "fuzz_input.h"
#include "kelvar/cards/ultralight_family.h"

// A missing, exact, short or long stored image of `pageCount` pages.
inline void StoreTagImage(kelvar::ImageStore& store, FuzzInput& in, size_t pageCount) {
    const size_t exact = pageCount * kelvar::UltralightFamilyTag::kPageSize;
    switch (in.Byte() & 3) {
    case 1: store.Save("tag.img", in.Take(exact)); break;
    case 2: store.Save("tag.img", in.Take(in.Byte())); break;
    case 3: store.Save("tag.img", in.Take(exact + 1 + in.Byte())); break;
    default: break;
    }
}

inline kelvar::TagUid TakeUid(FuzzInput& in) {
    kelvar::TagUid uid{};
    for (auto& b : uid) b = in.Byte();
    return uid;
}

template <typename Extra>
void RunTagCommands(kelvar::UltralightFamilyTag& tag, FuzzInput& in, Extra&& extra) {
    using kelvar::UltralightFamilyTag;
    while (!in.Empty()) {
        const uint8_t op = in.Byte();
        switch (op % 9) {
        case 0: { std::array<uint8_t, UltralightFamilyTag::kAtqaSize> atqa{}; tag.Request(in.Byte(), atqa.data()); break; }
        case 1: {
            std::array<uint8_t, UltralightFamilyTag::kMaxUidSize> uid{};
            uint8_t length = 0;
            if (tag.Anticoll(uid.data(), &length) == kelvar::kOk) {
                uint8_t sak = 0;
                tag.Select(uid.data(), length, &sak);
            }
            break;
        }
        case 2: tag.Halt(); break;
        case 3: { std::array<uint8_t, UltralightFamilyTag::kReadSize> out{}; tag.Read(in.Byte(), out.data()); break; }
        case 4: tag.WritePage(in.Byte(), in.Take(UltralightFamilyTag::kPageSize).data()); break;
        case 6: tag.WriteBlock(in.Byte(), in.Take(UltralightFamilyTag::kBlockSize).data()); break;
        case 5: tag.FieldReset(); break;
        default: extra(op, in); break;
        }
    }
}
