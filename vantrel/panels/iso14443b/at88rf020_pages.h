// The AT88RF020 panel's page edits: pages 0 and 1 in two halves of 4 bytes,
// page 2 as its 6-byte signature and 2-byte count, every other page whole.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "vantrel/toolkit/bytes.h"

inline constexpr int kAt020Pages = 32;
inline constexpr std::size_t kAt020PageSize = 8;
// The page the read loop and the clearing leave alone.
inline constexpr int kAt020SkippedPage = 3;

struct At020PageEdit {
    int id;
    std::size_t bytes;
};

// The edits of `page`, in byte order.
std::vector<At020PageEdit> At020PageEdits(int page);

// Every page edit the read loop fills: all pages but the skipped one.
std::vector<int> At020ClearedEdits();

// The 8 bytes written to `page`: page 1 from its two halves (at offsets 0
// and 4), pages from 3 on from their edit; what is not typed stays zero.
std::array<uint8_t, kAt020PageSize> At020WriteData(int page, const std::function<Bytes(int id)>& editBytes);
