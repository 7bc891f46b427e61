#include "vantrel/shell/card_menu.h"

#include <algorithm>
#include <iterator>

#include "vantrel/resources/resource.h"

const CardAvailability kCardAvailability = {
    {1, 1, 1, 1, 1, 1},
    {1, 1, 1, 1, 1},
    {1, 1, 1, 1},
    {0, 0},
    {0, 0, 0, 0, 0, 0, 0},
    0,
    1,
};

namespace {

constexpr int kChooseCardPosition = 1;
constexpr int kIso14443aPosition = 0;
constexpr int kIso14443bPosition = 1;
constexpr int kIso15693Position = 2;
constexpr int kIso7816Position = 3;
constexpr int kSamPosition = 4;

constexpr UINT kIso14443aItems[] = {ID_CARD_SHC1102,  ID_CARD_ULTRALIGHT, ID_CARD_MIFARE_1K,
                                    ID_CARD_MIFARE_4K, ID_CARD_DESFIRE,    ID_CARD_MIFARE_PRO};
constexpr UINT kIso14443bItems[] = {ID_CARD_SR176, ID_CARD_SRIX4K, ID_CARD_AT88RF020,
                                    ID_CARD_SMARTCARD, ID_CARD_THR1064};
constexpr UINT kIso15693Items[] = {ID_CARD_ICODE_SLI, ID_CARD_TAG_IT, ID_CARD_SRF55V02P,
                                   ID_CARD_SRF55V10P};
constexpr UINT kIso7816Items[] = {ID_CARD_AT88SC1608, ID_CARD_CPU};
constexpr UINT kMemoryItems[] = {ID_CARD_AT24C01, ID_CARD_AT24C02, ID_CARD_AT24C04,
                                 ID_CARD_AT24C08, ID_CARD_AT24C16, ID_CARD_AT24C32,
                                 ID_CARD_AT24C64};

template <size_t N>
void DeleteRemoved(HMENU popup, const UINT (&items)[N], const int (&flags)[N]) {
    for (size_t i = 0; i < N; ++i) {
        if (flags[i] == 0) DeleteMenu(popup, items[i], MF_BYCOMMAND);
    }
}

template <size_t N>
bool NoneOffered(const int (&flags)[N]) {
    return std::all_of(std::begin(flags), std::end(flags), [](int f) { return f == 0; });
}

}  // namespace

void PruneCardMenu(HMENU menuBar, const CardAvailability& a) {
    if (a.passThrough == 0) DeleteMenu(menuBar, ID_CARD_PASS_THROUGH, MF_BYCOMMAND);

    HMENU chooseCard = GetSubMenu(menuBar, kChooseCardPosition);
    if (chooseCard == nullptr) return;
    DeleteRemoved(GetSubMenu(chooseCard, kIso14443aPosition), kIso14443aItems, a.iso14443a);
    DeleteRemoved(GetSubMenu(chooseCard, kIso14443bPosition), kIso14443bItems, a.iso14443b);
    DeleteRemoved(GetSubMenu(chooseCard, kIso15693Position), kIso15693Items, a.iso15693);
    HMENU iso7816 = GetSubMenu(chooseCard, kIso7816Position);
    DeleteRemoved(iso7816, kIso7816Items, a.iso7816);
    DeleteRemoved(iso7816, kMemoryItems, a.memory);

    if (a.sam == 0) DeleteMenu(chooseCard, kSamPosition, MF_BYPOSITION);
    if (NoneOffered(a.memory)) {
        // The separator before the memory cards is its last item now.
        if (GetMenuItemCount(iso7816) > 1) {
            DeleteMenu(iso7816, GetMenuItemCount(iso7816) - 1, MF_BYPOSITION);
        } else {
            DeleteMenu(chooseCard, kIso7816Position, MF_BYPOSITION);
        }
    }
    if (NoneOffered(a.iso15693)) DeleteMenu(chooseCard, kIso15693Position, MF_BYPOSITION);
    if (NoneOffered(a.iso14443b)) DeleteMenu(chooseCard, kIso14443bPosition, MF_BYPOSITION);
    if (NoneOffered(a.iso14443a)) DeleteMenu(chooseCard, kIso14443aPosition, MF_BYPOSITION);
}
