// The built-in virtual reader behind the library's functions: the connection,
// the reader's own state and the cards in its field.
#pragma once

#include <cstdint>

namespace kelvar {

class VirtualReader {
public:
    // Address 0.0.0.0 is this built-in reader; any other address is a network
    // reader, which this library cannot reach.
    int32_t Open(uint16_t port, const uint16_t address[4]);
    void Close() { open_ = false; }
    bool IsOpen() const { return open_; }

private:
    bool open_ = false;
};

}  // namespace kelvar
