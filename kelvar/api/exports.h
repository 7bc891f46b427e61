// Declarations of every exported function, made from the one function list so
// that a definition with another argument list does not compile.
#pragma once

#include <cstdint>

#include "kelvar/kelvar_functions.h"

extern "C" {
#define KELVAR_DECLARE_EXPORT(ordinal, member, reported, required, params) \
    int32_t __stdcall member params;
KELVAR_FUNCTIONS(KELVAR_DECLARE_EXPORT)
#undef KELVAR_DECLARE_EXPORT
}
