// Activating an ISO 14443-A card: the field reset (antenna off, type A,
// antenna on), the request and the family's selection, and halting the card.
// Each family has a profile with its waits, its selection call and its UID
// length rule. Every call goes through the caller's command: logged, and its
// failure reported.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "vantrel/toolkit/bytes.h"
#include "vantrel/toolkit/field_reset.h"
#include "vantrel/toolkit/result_report.h"

// Request modes: every card in the field, or only cards not halted.
inline constexpr uint8_t kRequestAll = 0x52;
inline constexpr uint8_t kRequestIdle = 0x26;

// Field types of rf_init_type.
inline constexpr uint8_t kFieldTypeA = 'A';
inline constexpr uint8_t kFieldTypeB = 'B';

enum class TypeASelection {
    Cascade,     // rf_anticoll, then rf_select with the UID
    UltraLight,  // rf_ul_select answers the UID itself
};

struct TypeAProfile {
    FieldWaits waits;
    TypeASelection selection;
    // Whether the UID length must be 4 or 7 before the card is selected.
    bool checksUidLength;
};

// Mifare Classic and the ISO 14443-4 cards to come.
inline constexpr TypeAProfile kCascadeProfile{kStandardFieldWaits, TypeASelection::Cascade, true};
// UltraLight, NTAG203 and UltraLight C tags.
inline constexpr TypeAProfile kUltraLightProfile{{0, 20, 0}, TypeASelection::UltraLight, false};

// A selectable card answers the anticollision with 4 or 7 UID bytes.
inline bool IsTypeAUidLength(std::size_t length) { return length == 4 || length == 7; }

// The field reset with the profile's waits.
inline bool ResetField(Command& command, const TypeAProfile& profile, uint8_t fieldType = kFieldTypeA) {
    return ResetField(command, profile.waits, fieldType);
}

// Request (`mode`) and the profile's selection, once. The UID on success.
std::optional<Bytes> SelectTypeACard(Command& command, const TypeAProfile& profile, uint8_t mode);

// Up to `attempts` times: the field reset, then a request of all cards and
// the selection. A failed attempt is followed at once by the next; the last
// failure stays reported. The UID on success.
std::optional<Bytes> SearchTypeACard(Command& command, const TypeAProfile& profile, int attempts);

// Halts the selected card.
bool HaltTypeACard(Command& command);
