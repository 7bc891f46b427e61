// The kinds of contactless card the virtual field can hold, and their names
// in the configuration file.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace kelvar {

enum class CardKind {
    kUltraLight,
    kUltraLightC,
    kNtag203,
    kMifare1K,
    kMifare4K,
    kMifarePro,   // ISO 14443-4 type A processor card
    kDesFire,
    kShc1102,
    kAt88Rf020,
    kSr176,
    kSrix4K,
    kSmartCardB,  // ISO 14443-4 type B processor card
    kThr1064,
    kICodeSli,
    kTagIt,
    kSrf55V01P,
    kSrf55V02P,
    kSrf55V10P,
    kSri64,
};

// Every kind, in the order the default field holds them: a search finds the
// Mifare 4K card first (it also serves as a 1K card) and the UltraLight C
// first among the page-addressed tags.
std::span<const CardKind> AllCardKinds();

// The configuration name of a kind, lower case ("mifare1k").
std::string_view CardKindName(CardKind kind);

// The kind named `name` (ASCII case ignored), or nothing for an unknown name.
std::optional<CardKind> FindCardKind(std::string_view name);

}  // namespace kelvar
