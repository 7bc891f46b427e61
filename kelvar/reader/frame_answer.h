// Handing a card's answer to the caller's buffer and its one-byte length.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

inline constexpr size_t kMaxFrameAnswer = 255;

// kCardError, writing nothing, for an answer too long for its length byte.
inline Status CopyAnswer(const Bytes& answer, uint8_t* out, uint8_t* length) {
    if (answer.size() > kMaxFrameAnswer) return kCardError;
    std::copy(answer.begin(), answer.end(), out);
    *length = static_cast<uint8_t>(answer.size());
    return kOk;
}

}  // namespace kelvar
