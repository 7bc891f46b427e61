// Draws values from a fuzzer's input; past its end everything reads as zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Empty() const { return pos_ >= size_; }
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint32_t U32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = (value << 8) | Byte();
        return value;
    }
    std::vector<uint8_t> Take(size_t count) {
        std::vector<uint8_t> out(count);
        for (auto& b : out) b = Byte();
        return out;
    }
    // Everything left.
    std::vector<uint8_t> Rest() {
        std::vector<uint8_t> out(data_ + (pos_ < size_ ? pos_ : size_), data_ + size_);
        pos_ = size_;
        return out;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Stops the run as a finding.
#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition)) __builtin_trap(); \
    } while (0)
