// Compile-time check for code that computes control ids from a first id.
#pragma once

#include <initializer_list>

// Whether `ids` run first, first + 1, first + 2, ... in the order given.
constexpr bool IdsAreConsecutive(std::initializer_list<int> ids) {
    int expected = *ids.begin();
    for (int id : ids) {
        if (id != expected++) return false;
    }
    return true;
}
