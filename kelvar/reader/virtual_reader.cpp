#include "kelvar/reader/virtual_reader.h"

#include "kelvar/status.h"

namespace kelvar {

int32_t VirtualReader::Open(uint16_t /*port*/, const uint16_t address[4]) {
    if (address == nullptr) return kBadArgument;
    for (int i = 0; i < 4; ++i) {
        if (address[i] > 255) return kBadArgument;
    }
    if (address[0] != 0 || address[1] != 0 || address[2] != 0 || address[3] != 0) {
        return kConnectFailed;
    }
    open_ = true;
    return kOk;
}

}  // namespace kelvar
