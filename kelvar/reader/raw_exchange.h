// One raw frame on a field, as the reader sends it: the caller's bytes, to
// which the reader adds the CRC; every card hears the request and the one
// answer comes back with the card's CRC, which the reader checks and strips.
// No answer is kNoCard, answers from several cards at once kCollision, an
// answer whose CRC does not hold kBadFrameCrc.
#pragma once

#include <cstdint>
#include <span>

#include "kelvar/reader/frame_answer.h"
#include "kelvar/reader/frame_crc.h"
#include "kelvar/status.h"

namespace kelvar {

// `answerOf(card, request, air)` is asked once per card: it returns whether
// that card answered, and `air` is then its answer as sent, CRC included.
template <typename Cards, typename AnswerOf>
Status RawExchange(const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* outLength, Cards&& cards,
                   AnswerOf answerOf) {
    if (frame == nullptr || frameLength == 0 || out == nullptr || outLength == nullptr) return kBadArgument;
    const std::span<const uint8_t> request(frame, frameLength);
    Bytes air;
    int answers = 0;
    for (auto&& card : cards) {
        Bytes own;
        if (answerOf(card, request, own)) {
            ++answers;
            air = std::move(own);
        }
    }
    if (answers == 0) return kNoCard;
    if (answers > 1) return kCollision;
    if (!CheckFrameCrc(air)) return kBadFrameCrc;
    air.resize(air.size() - 2);
    return CopyAnswer(air, out, outLength);
}

}  // namespace kelvar
