// The THR1064 configuration byte (byte 7 of page 0) as the panel shows it:
// the state of each access-right box.
#pragma once

#include <array>
#include <cstdint>

struct Thr1064Box {
    int id;
    bool checked;
};

inline constexpr int kThr1064BoxCount = 12;

// Every box, in control order, as configuration `c` sets it.
std::array<Thr1064Box, kThr1064BoxCount> DecodeThr1064Configuration(uint8_t c);
// Every box cleared (after a failed page 0 read).
std::array<Thr1064Box, kThr1064BoxCount> ClearedThr1064Boxes();
