// Resetting the RF field for a card type: antenna off, the field type
// (rf_init_type), antenna on, each followed by its wait. Every call goes
// through the caller's command: logged, and its failure reported.
#pragma once

#include <windows.h>

#include <cstdint>

#include "vantrel/toolkit/result_report.h"

// Milliseconds; 0 waits not at all.
struct FieldWaits {
    DWORD afterAntennaOff;
    DWORD afterType;
    DWORD afterAntennaOn;
};

// The waits of most card types: 20 ms after each of the first two calls,
// 50 ms after the antenna comes on.
inline constexpr FieldWaits kStandardFieldWaits{20, 20, 50};

// False at the first failing call.
bool ResetField(Command& command, const FieldWaits& waits, uint8_t fieldType);
