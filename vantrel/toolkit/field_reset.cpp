#include "vantrel/toolkit/field_reset.h"

namespace {

constexpr uint8_t kAntennaOff = 0;
constexpr uint8_t kAntennaOn = 1;

}  // namespace

bool ResetField(Command& command, const FieldWaits& waits, uint8_t fieldType) {
    ReaderLibrary& reader = command.Context().reader;
    if (!command.Call(reader.rf_antenna_sta, kDevice, kAntennaOff)) return false;
    command.Wait(waits.afterAntennaOff);
    if (!command.Call(reader.rf_init_type, kDevice, fieldType)) return false;
    command.Wait(waits.afterType);
    if (!command.Call(reader.rf_antenna_sta, kDevice, kAntennaOn)) return false;
    command.Wait(waits.afterAntennaOn);
    return true;
}
