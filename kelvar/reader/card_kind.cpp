#include "kelvar/reader/card_kind.h"

#include <array>
#include <utility>

namespace kelvar {

namespace {

// Field kinds first, in the default field's order, then the contact kinds in
// the default slot's order.
constexpr std::array<std::pair<CardKind, std::string_view>, virtual_cards::kCardCount> kNames{{
    {CardKind::kMifare4K, "mifare4k"},
    {CardKind::kMifare1K, "mifare1k"},
    {CardKind::kUltraLightC, "ultralightc"},
    {CardKind::kNtag203, "ntag203"},
    {CardKind::kUltraLight, "ultralight"},
    {CardKind::kMifarePro, "mifarepro"},
    {CardKind::kDesFire, "desfire"},
    {CardKind::kShc1102, "shc1102"},
    {CardKind::kAt88Rf020, "at88rf020"},
    {CardKind::kSr176, "sr176"},
    {CardKind::kSrix4K, "srix4k"},
    {CardKind::kSmartCardB, "smartcardb"},
    {CardKind::kThr1064, "thr1064"},
    {CardKind::kICodeSli, "icodesli"},
    {CardKind::kTagIt, "tagit"},
    {CardKind::kSrf55V02P, "srf55v02p"},
    {CardKind::kSrf55V10P, "srf55v10p"},
    {CardKind::kSrf55V01P, "srf55v01p"},
    {CardKind::kSri64, "sri64"},
    {CardKind::kAt24c64, "at24c64"},
    {CardKind::kAt88sc1608, "at88sc1608"},
    {CardKind::kContactCpu, "cpu"},
    {CardKind::kAt24c01, "at24c01"},
    {CardKind::kAt24c02, "at24c02"},
    {CardKind::kAt24c04, "at24c04"},
    {CardKind::kAt24c08, "at24c08"},
    {CardKind::kAt24c16, "at24c16"},
    {CardKind::kAt24c32, "at24c32"},
}};

constexpr size_t kFieldKindCount = 19;

constexpr std::array<CardKind, kNames.size()> kKinds = [] {
    std::array<CardKind, kNames.size()> kinds{};
    for (size_t i = 0; i < kNames.size(); ++i) kinds[i] = kNames[i].first;
    return kinds;
}();

static_assert([] {
    for (size_t i = 0; i < kNames.size(); ++i) {
        const bool contact = kNames[i].first >= CardKind::kAt24c01;
        if (contact != (i >= kFieldKindCount)) return false;
    }
    return true;
}());

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

}  // namespace

std::span<const CardKind> AllCardKinds() { return std::span(kKinds).first(kFieldKindCount); }

std::span<const CardKind> ContactCardKinds() { return std::span(kKinds).subspan(kFieldKindCount); }

bool IsContactKind(CardKind kind) { return kind >= CardKind::kAt24c01; }

std::string_view CardKindName(CardKind kind) {
    for (const auto& [k, name] : kNames) {
        if (k == kind) return name;
    }
    return {};
}

std::optional<CardKind> FindCardKind(std::string_view name) {
    for (const auto& [kind, known] : kNames) {
        if (EqualsIgnoringCase(name, known)) return kind;
    }
    return std::nullopt;
}

}  // namespace kelvar
