#include "kelvar/cards/iso14443a_activation.h"

namespace kelvar {

Status Iso14443aActivation::Request(int mode) {
    if (mode != kRequestIdle && mode != kRequestAll) return kBadArgument;
    switch (state_) {
    case State::kActive:
        Drop();
        return kNoCard;
    case State::kHalted:
        if (mode == kRequestIdle) return kNoCard;
        wokenFromHalt_ = true;
        break;
    case State::kIdle:
        wokenFromHalt_ = false;
        break;
    case State::kReady:
        break;
    }
    state_ = State::kReady;
    return kOk;
}

Status Iso14443aActivation::Halt() {
    if (state_ != State::kActive) return kNotSelected;
    state_ = State::kHalted;
    wokenFromHalt_ = false;
    return kOk;
}

void Iso14443aActivation::Drop() {
    if (state_ != State::kReady && state_ != State::kActive) return;
    state_ = wokenFromHalt_ ? State::kHalted : State::kIdle;
}

void Iso14443aActivation::Reset() {
    state_ = State::kIdle;
    wokenFromHalt_ = false;
}

}  // namespace kelvar
