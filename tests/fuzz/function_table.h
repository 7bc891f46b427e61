// Every function of the list as its ordinal, C name and export, for targets
// that call them all: a function added to the list is called the day it is.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kelvar/api/exports.h"
#include "kelvar/kelvar_functions.h"

namespace fuzzing {

inline constexpr size_t kFunctionCount = 0
#define KELVAR_FUZZ_COUNT(ordinal, member, reported, required, params) +1
    KELVAR_FUNCTIONS(KELVAR_FUZZ_COUNT)
#undef KELVAR_FUZZ_COUNT
    ;

// visit.template operator()<Ordinal>(name, &member) for every function in
// list order.
template <typename Visitor>
void ForEachFunction(Visitor&& visit) {
#define KELVAR_FUZZ_VISIT(ordinal, member, reported, required, params) \
    visit.template operator()<ordinal>(#member, &member);
    KELVAR_FUNCTIONS(KELVAR_FUZZ_VISIT)
#undef KELVAR_FUZZ_VISIT
}

// The same for the function at `index` (taken modulo the count) only.
template <typename Visitor>
void VisitFunction(size_t index, Visitor&& visit) {
    index %= kFunctionCount;
    size_t i = 0;
    ForEachFunction([&]<int Ordinal, typename... A>(const char* name, int32_t (*function)(A...)) {
        if (i++ == index) visit.template operator()<Ordinal>(name, function);
    });
}

// rf_init_com and the close function open and close a connection: never carried.
constexpr bool Carried(int ordinal) { return ordinal != kelvar::kOpenOrdinal && ordinal != kelvar::kCloseOrdinal; }

}  // namespace fuzzing
