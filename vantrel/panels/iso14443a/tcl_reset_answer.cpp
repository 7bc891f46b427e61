#include "vantrel/panels/iso14443a/tcl_reset_answer.h"

#include <algorithm>

namespace {

constexpr std::size_t kLongCsn = 7;
// A DESFire answer this short that starts with this byte carries a 4-byte CSN.
constexpr std::size_t kShortDesfireAnswer = 11;
constexpr uint8_t kRandomIdMarker = 0x80;

ResetFields CsnThenInfo(std::span<const uint8_t> answer, std::size_t csnLength) {
    const auto csn = answer.first(std::min(csnLength, answer.size()));
    const auto info = answer.subspan(csn.size());
    return ResetFields{Bytes(csn.begin(), csn.end()), {}, Bytes(info.begin(), info.end())};
}

}  // namespace

std::optional<ResetFields> SplitResetAnswer(ResetCall call, std::span<const uint8_t> answer) {
    switch (call) {
    case ResetCall::TypeA:
        if (answer.size() < kShortestCsn) return std::nullopt;
        return CsnThenInfo(answer, kShortestCsn);
    case ResetCall::DESFire:
        if (answer.size() < kShortestCsn) return std::nullopt;
        if (answer.size() < kShortDesfireAnswer && answer[0] == kRandomIdMarker) {
            return CsnThenInfo(answer, kShortestCsn);
        }
        return CsnThenInfo(answer, kLongCsn);
    case ResetCall::Atqb: {
        if (answer.size() != kAtqbLength) return std::nullopt;
        const auto pupi = answer.subspan(1, 4);
        return ResetFields{{}, Bytes(pupi.begin(), pupi.end()), Bytes(answer.begin(), answer.end())};
    }
    }
    return std::nullopt;
}
