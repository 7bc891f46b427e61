// Where a TableCall's arguments come from: edges of each argument's range
// (0, 1, the largest, 255 and 256 for lengths, the bytes readers treat
// specially), the fuzzer's input, and null pointers.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_input.h"
#include "kelvar/net/marshal.h"

namespace fuzzing {

// The largest of the Arg row whose size argument sits at `position`, or 0.
constexpr int LargestSizedBy(int ordinal, int position) {
    for (const kelvar::BufferRule& rule : kelvar::kBufferRules) {
        if (rule.ordinal == ordinal && rule.kind == kelvar::SizeKind::Arg && rule.value == position) {
            return rule.largest;
        }
    }
    return 0;
}

// The edges of a scalar argument: a length's around its largest, a byte's
// the values modes, types, blocks and keys take, wider numbers' limits.
inline std::vector<uint64_t> EdgeValues(int ordinal, size_t position, uint64_t typeMax) {
    std::vector<uint64_t> edges;
    if (const int largest = LargestSizedBy(ordinal, int(position)); largest > 0) {
        const uint64_t l = uint64_t(largest);
        edges = {0, 1, 2, 5, 8, 16, l - 1, l, l + 1, 255, 256, 257, typeMax};
    } else if (typeMax == 0xFF) {
        edges = {0, 1, 2, 3, 4, 7, 8, 11, 15, 16, '1', 'A', 'B', 's', 0x26, 0x30, 0x52, 0x60, 0x61, 0x7F, 0x80, 0xFE, 0xFF};
    } else if (typeMax == 0xFFFF) {
        edges = {0, 1, 0xFF, 0x100, 0x3412, 0xFFFF};
    } else {
        edges = {0, 1, 2, 8, 127, 128, 255, 256, 257, 0x1FFF, 0x2000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
    }
    edges.erase(std::remove_if(edges.begin(), edges.end(), [&](uint64_t v) { return v > typeMax; }), edges.end());
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    return edges;
}

// One argument set to an edge (or one pointer null), the others at a base:
// a length 8 (or its largest when smaller), every other number 0.
class EdgeSource {
public:
    EdgeSource(int ordinal, int varied, uint64_t value, int nulled)
        : ordinal_(ordinal), varied_(varied), value_(value), nulled_(nulled) {}

    uint64_t Scalar(size_t position, uint64_t) const {
        if (int(position) == varied_) return value_;
        const int largest = LargestSizedBy(ordinal_, int(position));
        return largest > 0 ? std::min<uint64_t>(8, uint64_t(largest)) : 0;
    }
    bool Present(size_t position) const { return int(position) != nulled_; }
    void Fill(bool, uint8_t* data, size_t size) {
        for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(next_++ * 37 + 1);
    }

private:
    int ordinal_;
    int varied_;
    uint64_t value_;
    int nulled_;
    uint8_t next_ = 0;
};

// Arguments from a fuzzer's input: mostly edges, sometimes any number; one
// pointer in four null.
class InputSource {
public:
    InputSource(int ordinal, FuzzInput& in) : ordinal_(ordinal), in_(in) {}

    uint64_t Scalar(size_t position, uint64_t typeMax) {
        const uint8_t how = in_.Byte();
        if (how & 0x80) return in_.U32() & typeMax;
        const std::vector<uint64_t> edges = EdgeValues(ordinal_, position, typeMax);
        return edges[how % edges.size()];
    }
    bool Present(size_t) { return (in_.Byte() & 3) != 0; }
    // In-buffers from the input, out-buffers a pattern.
    void Fill(bool in, uint8_t* data, size_t size) {
        for (size_t i = 0; i < size; ++i) data[i] = in ? in_.Byte() : static_cast<uint8_t>(0xA5 ^ i);
    }

private:
    int ordinal_;
    FuzzInput& in_;
};

}  // namespace fuzzing
