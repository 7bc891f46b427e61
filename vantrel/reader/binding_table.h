// The reader library's bound ordinals: which are bound, under which name the
// program reports them, and which may be absent.
#pragma once

#include <cstddef>
#include <span>

struct BoundOrdinal {
    int ordinal;
    const char* name;  // name in the result log; "" for functions never reported
    bool required;
};

// Every ordinal the program binds, in ascending order.
std::span<const BoundOrdinal> BindingTable();

// The entry of `ordinal`, or null when the program does not bind it.
const BoundOrdinal* FindBoundOrdinal(int ordinal);
