// The four values the program keeps between runs.
#pragma once

#include <cstdint>

struct ProgramSettings {
    int32_t curCard = 0;    // card type code 0..29, or 255 for the device page
    int32_t comPort = 1;    // carried through unchanged
    int32_t baudRate = 1;   // carried through unchanged
    int32_t curBitmap = 0;  // background skin index
};

constexpr int32_t kDevicePageCode = 255;
