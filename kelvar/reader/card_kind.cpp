#include "kelvar/reader/card_kind.h"

#include <array>
#include <utility>

namespace kelvar {

namespace {

constexpr std::array<std::pair<CardKind, std::string_view>, 19> kNames{{
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
}};

constexpr std::array<CardKind, kNames.size()> kKinds = [] {
    std::array<CardKind, kNames.size()> kinds{};
    for (size_t i = 0; i < kNames.size(); ++i) kinds[i] = kNames[i].first;
    return kinds;
}();

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

}  // namespace

std::span<const CardKind> AllCardKinds() { return kKinds; }

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
