// Every function of the list served from a PC/SC backend: those it maps, and
// kNotSupported for all others.
#pragma once

#include <cstdint>

#include "kelvar/net/wire.h"
#include "kelvar/pcsc/pcsc_backend.h"

namespace kelvar::pcsc {

// The backend the served calls reach (none: every call is kNotSupported).
void ServeFrom(Backend* backend);

bool ServeCall(uint16_t ordinal, net::WireReader& in, net::WireWriter& out);

// Whether the backend maps the function of `ordinal`.
bool Maps(int ordinal);

}  // namespace kelvar::pcsc
