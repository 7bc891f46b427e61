#pragma once

#include <cstdint>

#include "kelvar/net/wire.h"

namespace kelvar::server {

// Serves one request (after its ordinal) from this process's reader.
bool ServeLocalCall(uint16_t ordinal, net::WireReader& in, net::WireWriter& out);

}  // namespace kelvar::server
