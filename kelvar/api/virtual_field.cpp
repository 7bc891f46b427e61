// The library's own functions for its virtual field: which cards it holds,
// placing them, their factory content and whether the program's card type
// places them.
#include <vector>

#include "kelvar/api/exports.h"
#include "kelvar/api/guard.h"
#include "kelvar/reader/frame_answer.h"

using kelvar::CardKind;
using kelvar::VirtualReader;
using kelvar::api::WhenOpen;

namespace {

bool Known(uint8_t card) { return card < virtual_cards::kCardCount; }

}  // namespace

extern "C" {

int32_t __stdcall VirtualCardState(int32_t, uint8_t card, uint8_t* out, uint8_t* length) {
    return WhenOpen([&](VirtualReader& reader) -> int32_t {
        if (out == nullptr || length == nullptr || !Known(card)) return kelvar::kBadArgument;
        const auto state = reader.Card(static_cast<CardKind>(card));
        if (!state) return kelvar::kNoCard;
        kelvar::Bytes answer{static_cast<uint8_t>(state->placed ? virtual_cards::kInField : 0)};
        answer.insert(answer.end(), state->identity.begin(), state->identity.end());
        return kelvar::CopyAnswer(answer, out, length);
    });
}

int32_t __stdcall VirtualCardsPlace(int32_t, const uint8_t* cards, uint8_t count) {
    return WhenOpen([&](VirtualReader& reader) -> int32_t {
        if (cards == nullptr) return kelvar::kBadArgument;
        std::vector<CardKind> kinds;
        for (uint8_t i = 0; i < count; ++i) {
            if (!Known(cards[i])) return kelvar::kBadArgument;
            kinds.push_back(static_cast<CardKind>(cards[i]));
        }
        reader.PlaceOnly(kinds);
        return kelvar::kOk;
    });
}

int32_t __stdcall VirtualCardFactoryReset(int32_t, uint8_t card) {
    return WhenOpen([&](VirtualReader& reader) -> int32_t {
        if (!Known(card)) return kelvar::kBadArgument;
        return reader.FactoryReset(static_cast<CardKind>(card));
    });
}

int32_t __stdcall VirtualFieldFollow(int32_t, uint8_t* on) {
    return WhenOpen([&](VirtualReader& reader) -> int32_t {
        if (on == nullptr) return kelvar::kBadArgument;
        *on = reader.FollowsCardType() ? 1 : 0;
        return kelvar::kOk;
    });
}

int32_t __stdcall VirtualFieldSetFollow(int32_t, uint8_t on) {
    return WhenOpen([&](VirtualReader& reader) -> int32_t {
        if (on > 1) return kelvar::kBadArgument;
        return reader.SetFollowsCardType(on == 1);
    });
}

}  // extern "C"
