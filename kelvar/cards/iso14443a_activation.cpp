#include "kelvar/cards/iso14443a_activation.h"

namespace kelvar {

Status Iso14443aActivation::Request(int mode) {
    if (mode != kRequestIdle && mode != kRequestAll) return kBadArgument;
    if (mode == kRequestIdle && state_ == State::kHalted) return kNoCard;
    state_ = State::kReady;
    return kOk;
}

Status Iso14443aActivation::Halt() {
    if (state_ != State::kActive) return kNotSelected;
    state_ = State::kHalted;
    return kOk;
}

}  // namespace kelvar
