#include "kelvar/reader/virtual_reader.h"

#include <utility>

namespace kelvar {

VirtualReader::VirtualReader(const FieldConfig& config, HostClock hostClock, RandomBytes random)
    : store_(config.imageFolder),
      device_(store_, std::move(hostClock)),
      typeA_(store_, config.field, std::move(random)) {
    for (const std::string& note : config.notes) store_.Log(note);
}

Status VirtualReader::Open(uint16_t /*port*/, const uint16_t address[4]) {
    if (address == nullptr) return kBadArgument;
    for (int i = 0; i < 4; ++i) {
        if (address[i] > 255) return kBadArgument;
    }
    if (address[0] != 0 || address[1] != 0 || address[2] != 0 || address[3] != 0) {
        return kConnectFailed;
    }
    if (const Status status = device_.Open(); status != kOk) return status;
    open_ = true;
    UpdateFieldPower();
    return kOk;
}

void VirtualReader::Close() {
    open_ = false;
    device_.Close();
    UpdateFieldPower();
}

Status VirtualReader::SetAntenna(uint8_t state) {
    const Status status = device_.SetAntenna(state);
    UpdateFieldPower();
    return status;
}

Status VirtualReader::SetRfMode(uint8_t type) {
    const Status status = device_.SetRfMode(type);
    UpdateFieldPower();
    return status;
}

void VirtualReader::UpdateFieldPower() {
    typeA_.SetPowered(open_ && device_.AntennaOn() && device_.RfMode() == kRfModeA);
}

}  // namespace kelvar
