#include "vantrel/shell/card_types.h"

#include <iterator>

#include "vantrel/resources/resource.h"
#include "vantrel/shell/program_settings.h"

namespace {

constexpr CardType kCardTypes[kCardTypeCount] = {
    {0, L"UltraLight", ID_CARD_ULTRALIGHT},
    {1, L"Mifare_1K", ID_CARD_MIFARE_1K},
    {2, L"Mifare_4K", ID_CARD_MIFARE_4K},
    {3, L"AT88RF020", ID_CARD_AT88RF020},
    {4, L"SR176", ID_CARD_SR176},
    {5, L"SRIX4K", ID_CARD_SRIX4K},
    {6, L"Mifare_Pro(X) ", ID_CARD_MIFARE_PRO},
    {7, L"SmartCard", ID_CARD_SMARTCARD},
    {8, L"TRH1064", ID_CARD_THR1064},
    {9, L"Tag_it", ID_CARD_TAG_IT},
    {10, L"I.CODE SLI", ID_CARD_ICODE_SLI},
    {11, L"SAM", ID_CARD_SAM},
    {12, L"CPU Card", ID_CARD_CPU},
    {13, L"AT24C01", ID_CARD_AT24C01},
    {14, L"AT24C02", ID_CARD_AT24C02},
    {15, L"AT24C04", ID_CARD_AT24C04},
    {16, L"AT24C08", ID_CARD_AT24C08},
    {17, L"AT24C16", ID_CARD_AT24C16},
    {18, L"AT24C32", ID_CARD_AT24C32},
    {19, L"AT24C64", ID_CARD_AT24C64},
    {20, L"AT88SC1608", ID_CARD_AT88SC1608},
    {21, L"SHC1102", ID_CARD_SHC1102},
    {22, L"SRF55V02P", ID_CARD_SRF55V02P},
    {23, L"SRF55V10P", ID_CARD_SRF55V10P},
    {24, L"Mifare_DesFire", ID_CARD_DESFIRE},
    {25, L"Test", ID_CARD_PASS_THROUGH},
    {26, L"SRF55V01P", ID_CARD_SRF55V01P},
    {27, L"SRI64", ID_CARD_SRI64},
    {28, L"UltraLight C", ID_CARD_ULTRALIGHT_C},
    {29, L"Ntag203", ID_CARD_NTAG203},
};

constexpr wchar_t kDevicePageName[] = L"Set";

}  // namespace

const wchar_t* CardName(int32_t code) {
    if (code >= 0 && code < kCardTypeCount) return kCardTypes[code].name;
    return code == kDevicePageCode ? kDevicePageName : L"";
}

unsigned CardMenuId(int32_t code) {
    return (code >= 0 && code < kCardTypeCount) ? kCardTypes[code].menuId : 0;
}

int32_t CardCodeForMenuId(unsigned menuId) {
    for (const CardType& type : kCardTypes) {
        if (type.menuId == menuId) return type.code;
    }
    return -1;
}
