// Finding and selecting an ISO 14443-A card: the search with its field reset
// and retries, the single request of idle cards, and halting the card. Every
// library call is logged and the first failure reported.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "vantrel/toolkit/bytes.h"
#include "vantrel/toolkit/panel_context.h"
#include "vantrel/toolkit/result_report.h"

// Request modes: every card in the field, or only cards not halted.
inline constexpr uint8_t kRequestAll = 0x52;
inline constexpr uint8_t kRequestIdle = 0x26;

// A selectable card answers the anticollision with 4 or 7 UID bytes.
inline bool IsTypeAUidLength(std::size_t length) { return length == 4 || length == 7; }

// Request (`mode`), anticollision, the UID length check and select, once.
// The UID on success.
std::optional<Bytes> SelectTypeACard(Command& command, uint8_t mode);

enum class SearchOutcome {
    NotConnected,  // reported; nothing was tried
    NoCard,        // every attempt failed; the last failure is reported
    Selected,
};

struct CardSearchResult {
    SearchOutcome outcome = SearchOutcome::NotConnected;
    Bytes uid;
    explicit operator bool() const { return outcome == SearchOutcome::Selected; }
};

// Clears the log and checks the connection, then up to `attempts` times turns
// the antenna off, sets type A, turns it on again (with their waits) and
// selects a card with a request of all cards. On success the status field
// shows the find-card text.
CardSearchResult SearchTypeACard(PanelContext& context, HWND owner, int attempts);

// Clears the log, checks the connection and selects an idle card once,
// without resetting the field; reports success plainly.
std::optional<Bytes> RequestIdleCard(PanelContext& context, HWND owner);

// Clears the log, checks the connection and halts the selected card.
bool HaltCard(PanelContext& context, HWND owner);
