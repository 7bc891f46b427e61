// The ISO 14443-3 type A states a card passes before it takes commands: idle,
// ready after a request, active once selected, halted until woken by 0x52.
// A card woken from halt remembers it: when it leaves ready or active other
// than by a halt, it goes back to halt, not to idle.
#pragma once

#include <cstdint>

#include "kelvar/status.h"

namespace kelvar {

class Iso14443aActivation {
public:
    static constexpr int kRequestIdle = 0x26;  // wakes cards that are not halted
    static constexpr int kRequestAll = 0x52;   // wakes halted cards too

    // kBadArgument for an unknown mode. kNoCard when the card stays silent:
    // a halted card asked with 0x26, or an active card, which a request of
    // either kind sends back (see Drop).
    Status Request(int mode);
    bool IsReady() const { return state_ == State::kReady; }
    bool IsActive() const { return state_ == State::kActive; }
    // Ready to active; the caller checked IsReady().
    void Activate() { state_ = State::kActive; }
    // kNotSelected unless active.
    Status Halt();
    // A ready or active card that met a command it refuses or does not
    // expect: back to idle, or to halt when 0x52 woke it from there.
    void Drop();
    // The field went off.
    void Reset();

private:
    enum class State { kIdle, kReady, kActive, kHalted };
    State state_ = State::kIdle;
    bool wokenFromHalt_ = false;
};

}  // namespace kelvar
