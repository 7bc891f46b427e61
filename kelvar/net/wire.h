// Little-endian reading and writing of frame payloads. The reader never reads
// past its data: a short payload leaves it failed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>
#include <vector>

namespace kelvar::net {

class WireWriter {
public:
    explicit WireWriter(std::vector<uint8_t>& out) : out_(out) {}

    template <typename T>
    void Scalar(T value) {
        static_assert(std::is_integral_v<T>);
        using U = std::make_unsigned_t<T>;
        const U bits = static_cast<U>(value);
        for (size_t i = 0; i < sizeof(T); ++i) out_.push_back(static_cast<uint8_t>(bits >> (8 * i)));
    }
    void Bytes(const uint8_t* data, size_t size) { out_.insert(out_.end(), data, data + size); }

private:
    std::vector<uint8_t>& out_;
};

class WireReader {
public:
    explicit WireReader(std::span<const uint8_t> data) : data_(data) {}

    template <typename T>
    T Scalar() {
        static_assert(std::is_integral_v<T>);
        using U = std::make_unsigned_t<T>;
        if (!ok_ || data_.size() - pos_ < sizeof(T)) {
            ok_ = false;
            return T{};
        }
        U bits = 0;
        for (size_t i = 0; i < sizeof(T); ++i) bits |= static_cast<U>(U(data_[pos_ + i]) << (8 * i));
        pos_ += sizeof(T);
        return static_cast<T>(bits);
    }
    // The next `size` bytes, or nullptr (and failed) when fewer are left.
    const uint8_t* Bytes(size_t size) {
        if (!ok_ || data_.size() - pos_ < size) {
            ok_ = false;
            return nullptr;
        }
        const uint8_t* at = data_.data() + pos_;
        pos_ += size;
        return at;
    }
    bool Ok() const { return ok_; }
    bool AtEnd() const { return ok_ && pos_ == data_.size(); }

private:
    std::span<const uint8_t> data_;
    size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace kelvar::net
