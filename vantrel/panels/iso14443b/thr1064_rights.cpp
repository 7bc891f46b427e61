#include "vantrel/panels/iso14443b/thr1064_rights.h"

#include "vantrel/panels/iso14443b/thr1064_ids.h"

namespace {

constexpr bool Bit(uint8_t c, int k) { return (c >> k) & 1u; }

}  // namespace

std::array<Thr1064Box, kThr1064BoxCount> DecodeThr1064Configuration(uint8_t c) {
    const bool keyPage = Bit(c, 4);
    // Page 3: without the key, free read always and free write unless bit 3;
    // with it, bit 5 chooses counting, bits 3 and 2 the rest.
    bool read3 = true, write3 = !Bit(c, 3), dec3 = false, authRead3 = false, authWrite3 = false;
    if (keyPage) {
        const bool counter = Bit(c, 5), b3 = Bit(c, 3), b2 = Bit(c, 2);
        write3 = false;
        read3 = !b3;
        authRead3 = b3 || !b2;
        authWrite3 = !counter && !b2;
        dec3 = counter && !b2;
    }
    return {{
        {IDC_THR_P0_READ, true},
        {IDC_THR_P0_WRITE, !Bit(c, 0)},
        {IDC_THR_P1_READ, true},
        {IDC_THR_P1_WRITE, !Bit(c, 1)},
        {IDC_THR_P2_READ, !keyPage},
        {IDC_THR_P2_WRITE, !keyPage && !Bit(c, 2)},
        {IDC_THR_P2_KEY, keyPage},
        {IDC_THR_P3_READ, read3},
        {IDC_THR_P3_WRITE, write3},
        {IDC_THR_P3_AUTH_DEC, dec3},
        {IDC_THR_P3_AUTH_READ, authRead3},
        {IDC_THR_P3_AUTH_WRITE, authWrite3},
    }};
}

std::array<Thr1064Box, kThr1064BoxCount> ClearedThr1064Boxes() {
    auto boxes = DecodeThr1064Configuration(0);
    for (Thr1064Box& box : boxes) box.checked = false;
    return boxes;
}
