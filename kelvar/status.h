// Status codes returned by Kelvar.dll. 0 is success; every exported function
// returns one of these, never anything else.
#pragma once

#include <cstdint>

namespace kelvar {

enum Status : int32_t {
    kOk = 0,

    // Reader level
    kNotOpen = 0x01,         // no connection is open (rf_init_com not called or closed)
    kBadArgument = 0x02,     // null buffer, out-of-range block/page/address, bad length or mode
    kNotSupported = 0x03,    // the function is not available on this reader
    kConnectFailed = 0x04,   // rf_init_com could not reach the given address
    kStoreFailed = 0x05,     // a card image or reader setting could not be saved
    kBadClock = 0x06,        // WriteTime: invalid BCD or an impossible date
    kConnectionLost = 0x07,  // the network reader did not answer in time or the connection dropped; closed
    kBadAnswer = 0x08,       // the network reader's answer was malformed; the connection is closed
    kReaderBusy = 0x09,      // the reader is busy or unavailable (another client holds it); nothing was done

    // Card level
    kNoCard = 0x10,          // no card answered (empty field, halted card, antenna off, wrong RF mode)
    kAuthFailed = 0x11,      // wrong key or password
    kAccessDenied = 0x12,    // access conditions or lock bits forbid the operation
    kNotValueBlock = 0x13,   // value operation on a block that is not in value-block format
    kValueOverflow = 0x14,   // value operation would leave the 32-bit signed range
    kNotAuthenticated = 0x15,// the block/page needs an authentication first
    kNotSelected = 0x16,     // no card is selected (request/select missing or card halted)
    kCardError = 0x17,       // the card refused the command (bad frame, unknown command)
    kCollision = 0x18,       // a raw frame was answered by more than one card at once
    kBadFrameCrc = 0x19,     // a raw frame's answer failed its CRC check
};

}  // namespace kelvar
