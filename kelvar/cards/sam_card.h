// The reader's secure access module: a processor card that answers reset
// with the speed it was started at (TA1), gives random challenges and
// proves its key by internal authentication:
//
//   00 88 00 00 08 <8 bytes> [Le]  ->  the 8 bytes enciphered, 90 00
//
// with two-key triple DES in ECB under kAuthenticationKey (K1 K2 K1), the
// same computation as the DES calculator with that 16-byte key. It keeps no
// data of its own: SELECT of the master file and GET CHALLENGE are the
// processor card responder's.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "kelvar/cards/apdu_responder.h"
#include "kelvar/crypto/random_bytes.h"
#include "kelvar/status.h"

namespace kelvar {

class SamCard {
public:
    static constexpr uint8_t kBaud9600 = 0;
    static constexpr uint8_t kBaud38400 = 1;
    static constexpr std::array<uint8_t, 16> kAuthenticationKey = {
        0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F};
    // TS, T0 (TA1 present, 9 historical bytes), TA1, "KV-SAM-01". TA1 is
    // 11 (F 372, D 1) at 9600 baud and 13 (F 372, D 4) at 38400.
    static constexpr size_t kAtrSize = 12;
    static constexpr size_t kSpeedByte = 2;

    explicit SamCard(RandomBytes random = SystemRandomBytes());

    std::array<uint8_t, kAtrSize> Reset(uint8_t baud);
    Bytes Respond(std::span<const uint8_t> apdu);

private:
    Bytes InternalAuthenticate(std::span<const uint8_t> apdu) const;

    ApduResponder files_;
};

}  // namespace kelvar
