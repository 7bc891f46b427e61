// What every exported function does first: find the reader and check that a
// connection is open. Nothing may throw across the stdcall boundary.
#pragma once

#include <cstdint>

#include "kelvar/reader/virtual_reader.h"
#include "kelvar/status.h"

namespace kelvar::api {

// The library's one reader, created on first use.
VirtualReader& Reader();

// The library's configuration as its file holds it now (Windows only).
FieldConfig ConfigOfThisLibrary();

inline int32_t Unsupported() { return Reader().IsOpen() ? kNotSupported : kNotOpen; }

// Runs `body` when a connection is open; any exception becomes kCardError.
template <typename Body>
int32_t WhenOpen(Body&& body) noexcept {
    try {
        VirtualReader& reader = Reader();
        if (!reader.IsOpen()) return kNotOpen;
        return body(reader);
    } catch (...) {
        return kCardError;
    }
}

}  // namespace kelvar::api
