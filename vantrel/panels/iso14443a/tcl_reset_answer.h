// How the T=CL panel splits a card's reset answer into its fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "vantrel/toolkit/bytes.h"

enum class ResetCall {
    TypeA,    // rf_typea_rst: 4-byte CSN, then the ATS
    DESFire,  // rf_DESFire_rst: 4- or 7-byte CSN, then the ATS
    Atqb,     // rf_atqb: the 12-byte ATQB, its PUPI in bytes 1 to 4
};

inline constexpr std::size_t kAtqbLength = 12;
// No ISO 14443-A serial number is shorter.
inline constexpr std::size_t kShortestCsn = 4;

struct ResetFields {
    Bytes csn;
    Bytes pupi;
    Bytes info;  // the ATS, or the whole ATQB
};

// The fields of an answer of `call`; none for an answer too short to hold
// them (or an ATQB of any other length than 12).
std::optional<ResetFields> SplitResetAnswer(ResetCall call, std::span<const uint8_t> answer);
