// The ISO 14443-3 type A states a card passes before it takes commands: idle,
// ready after a request, active once selected, halted until woken by 0x52.
#pragma once

#include <cstdint>

#include "kelvar/status.h"

namespace kelvar {

class Iso14443aActivation {
public:
    static constexpr int kRequestIdle = 0x26;  // wakes cards that are not halted
    static constexpr int kRequestAll = 0x52;   // wakes halted cards too

    // kBadArgument for an unknown mode, kNoCard for a halted card asked with 0x26.
    Status Request(int mode);
    bool IsReady() const { return state_ == State::kReady; }
    bool IsActive() const { return state_ == State::kActive; }
    // Ready to active; the caller checked IsReady().
    void Activate() { state_ = State::kActive; }
    // kNotSelected unless active.
    Status Halt();
    // Back to idle: the field went off or the card refused an authentication.
    void Reset() { state_ = State::kIdle; }

private:
    enum class State { kIdle, kReady, kActive, kHalted };
    State state_ = State::kIdle;
};

}  // namespace kelvar
