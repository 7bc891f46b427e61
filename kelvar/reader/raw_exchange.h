// One raw frame on a field: the CRC is checked (a corrupted frame is not
// answered), every card hears the frame, and the one answer gets its CRC.
// No answer is kNoCard, answers from several cards at once kCollision.
#pragma once

#include <cstdint>
#include <span>

#include "kelvar/reader/frame_answer.h"
#include "kelvar/reader/frame_crc.h"
#include "kelvar/status.h"

namespace kelvar {

// `answerOf(payload, answer)` is asked once per card: it returns whether
// that card answered, and `answer` is then its answer without the CRC.
template <typename Cards, typename AnswerOf>
Status RawExchange(const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* outLength, Cards& cards,
                   AnswerOf answerOf) {
    if ((frame == nullptr && frameLength != 0) || out == nullptr || outLength == nullptr) return kBadArgument;
    const std::span<const uint8_t> whole(frame, frameLength);
    if (!CheckFrameCrc(whole)) return kNoCard;
    const auto payload = whole.first(whole.size() - 2);
    Bytes answer;
    int answers = 0;
    for (auto& card : cards) {
        Bytes own;
        if (answerOf(*card, payload, own)) {
            ++answers;
            answer = std::move(own);
        }
    }
    if (answers == 0) return kNoCard;
    if (answers > 1) return kCollision;
    return CopyAnswer(WithFrameCrc(answer), out, outLength);
}

}  // namespace kelvar
