#include "vantrel/reader/virtual_card_table.h"

#include <array>

namespace {

using enum virtual_cards::Card;

constexpr std::wstring_view kTypeA = L"ISO 14443-A";
constexpr std::wstring_view kTypeB = L"ISO 14443-B";
constexpr std::wstring_view kVicinity = L"ISO 15693";
constexpr std::wstring_view kContact = L"Contact";

constexpr std::array<VirtualCardRow, virtual_cards::kCardCount> kRows{{
    {kUltraLight, L"UltraLight", kTypeA},
    {kUltraLightC, L"UltraLight C", kTypeA},
    {kNtag203, L"NTAG203", kTypeA},
    {kMifare1K, L"Mifare 1K", kTypeA},
    {kMifare4K, L"Mifare 4K", kTypeA},
    {kMifarePro, L"Mifare Pro(X)", kTypeA},
    {kDesFire, L"DESFire", kTypeA},
    {kShc1102, L"SHC1102", kTypeA},
    {kAt88Rf020, L"AT88RF020", kTypeB},
    {kSr176, L"SR176", kTypeB},
    {kSrix4K, L"SRIX4K", kTypeB},
    {kSmartCardB, L"SmartCard (processor)", kTypeB},
    {kThr1064, L"THR1064", kTypeB},
    {kICodeSli, L"I.CODE SLI", kVicinity},
    {kTagIt, L"Tag-it", kVicinity},
    {kSrf55V01P, L"SRF55V01P", kVicinity},
    {kSrf55V02P, L"SRF55V02P", kVicinity},
    {kSrf55V10P, L"SRF55V10P", kVicinity},
    {kSri64, L"SRI64", kVicinity},
    {kAt24c01, L"AT24C01", kContact},
    {kAt24c02, L"AT24C02", kContact},
    {kAt24c04, L"AT24C04", kContact},
    {kAt24c08, L"AT24C08", kContact},
    {kAt24c16, L"AT24C16", kContact},
    {kAt24c32, L"AT24C32", kContact},
    {kAt24c64, L"AT24C64", kContact},
    {kAt88sc1608, L"AT88SC1608", kContact},
    {kContactCpu, L"CPU card", kContact},
}};

// The cards of each card type code: one each, none for the SAM (its slot
// holds the one SAM), a type B card and a vicinity tag for the pass-through
// panel's two modes.
struct TypeCards {
    uint8_t count;
    std::array<VirtualCard, 2> cards;
};

constexpr TypeCards kByCode[] = {
    {1, {kUltraLight}},  {1, {kMifare1K}},   {1, {kMifare4K}},     {1, {kAt88Rf020}},  {1, {kSr176}},
    {1, {kSrix4K}},      {1, {kMifarePro}},  {1, {kSmartCardB}},   {1, {kThr1064}},    {1, {kTagIt}},
    {1, {kICodeSli}},    {0, {}},            {1, {kContactCpu}},   {1, {kAt24c01}},    {1, {kAt24c02}},
    {1, {kAt24c04}},     {1, {kAt24c08}},    {1, {kAt24c16}},      {1, {kAt24c32}},    {1, {kAt24c64}},
    {1, {kAt88sc1608}},  {1, {kShc1102}},    {1, {kSrf55V02P}},    {1, {kSrf55V10P}},  {1, {kDesFire}},
    {2, {kSmartCardB, kICodeSli}},           {1, {kSrf55V01P}},    {1, {kSri64}},      {1, {kUltraLightC}},
    {1, {kNtag203}},
};
static_assert(std::size(kByCode) == 30, "one row per card type code 0..29");

}  // namespace

std::span<const VirtualCardRow> VirtualCardRows() { return kRows; }

std::optional<std::span<const VirtualCard>> CardsOfCardType(int32_t code) {
    if (code < 0 || code >= static_cast<int32_t>(std::size(kByCode))) return std::nullopt;
    const TypeCards& row = kByCode[code];
    return std::span(row.cards).first(row.count);
}
