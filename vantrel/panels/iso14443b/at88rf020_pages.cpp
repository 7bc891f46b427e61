#include "vantrel/panels/iso14443b/at88rf020_pages.h"

#include <algorithm>

#include "vantrel/panels/iso14443b/at88rf020_ids.h"
#include "vantrel/toolkit/id_range.h"

static_assert(IdsAreConsecutive({IDC_AT020_PAGE0_LOW, IDC_AT020_PAGE0_HIGH, IDC_AT020_PAGE1_LOW, IDC_AT020_PAGE1_HIGH,
                                 IDC_AT020_PAGE2_SIGNATURE, IDC_AT020_PAGE2_COUNT, IDC_AT020_PAGE3}));
static_assert(IDC_AT020_PAGE31 == IDC_AT020_PAGE1_HIGH + 31);

std::vector<At020PageEdit> At020PageEdits(int page) {
    switch (page) {
    case 0: return {{IDC_AT020_PAGE0_LOW, 4}, {IDC_AT020_PAGE0_HIGH, 4}};
    case 1: return {{IDC_AT020_PAGE1_LOW, 4}, {IDC_AT020_PAGE1_HIGH, 4}};
    case 2: return {{IDC_AT020_PAGE2_SIGNATURE, 6}, {IDC_AT020_PAGE2_COUNT, 2}};
    default: return {{IDC_AT020_PAGE1_HIGH + page, kAt020PageSize}};
    }
}

std::vector<int> At020ClearedEdits() {
    std::vector<int> ids;
    for (int page = 0; page < kAt020Pages; ++page) {
        if (page == kAt020SkippedPage) continue;
        for (const At020PageEdit& edit : At020PageEdits(page)) ids.push_back(edit.id);
    }
    return ids;
}

std::array<uint8_t, kAt020PageSize> At020WriteData(int page, const std::function<Bytes(int id)>& editBytes) {
    std::array<uint8_t, kAt020PageSize> data{};
    if (page != 1 && page < kAt020SkippedPage) return data;
    std::size_t offset = 0;
    for (const At020PageEdit& edit : At020PageEdits(page)) {
        const Bytes typed = editBytes(edit.id);
        std::copy_n(typed.begin(), std::min(typed.size(), edit.bytes), data.begin() + offset);
        offset += edit.bytes;
    }
    return data;
}
