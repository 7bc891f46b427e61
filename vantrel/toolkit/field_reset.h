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

// False at the first failing call.
bool ResetField(Command& command, const FieldWaits& waits, uint8_t fieldType);
