// The card type codes the T=CL panel serves; the call journal reads a
// DESFire panel's answers by them too.
#pragma once

#include <cstdint>

inline constexpr int32_t kCodeMifarePro = 6;
inline constexpr int32_t kCodeSmartCard = 7;
inline constexpr int32_t kCodeDesfire = 24;
