// The connection to the reader, shared by the frame, the device page and the
// panels: where it goes and whether it is open.
#pragma once

#include <cstdint>

struct ReaderConnection {
    bool open = false;              // set by a successful rf_init_com, cleared by a close
    uint16_t address[4] = {};       // octets a.b.c.d
    uint16_t port = 0;
};
