// The reader library's exports as plain function pointers, bound by ordinal:
// for tests and tools that drive the library itself rather than the
// program's calls of it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "kelvar/kelvar_functions.h"

struct KelvarExports {
#define KELVAR_EXPORT_POINTER(ordinal, member, reported, required, params) \
    int32_t(__stdcall* member) params = nullptr;
    KELVAR_FUNCTIONS(KELVAR_EXPORT_POINTER)
#undef KELVAR_EXPORT_POINTER

    // Looks every ordinal up in `module`. False when a required one is missing.
    bool Bind(HMODULE module) {
        bool complete = true;
#define KELVAR_BIND_EXPORT(ordinal, member, reported, required, params)                     \
    member = reinterpret_cast<decltype(member)>(                                            \
        reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));       \
    if (required && member == nullptr) complete = false;
        KELVAR_FUNCTIONS(KELVAR_BIND_EXPORT)
#undef KELVAR_BIND_EXPORT
        return complete;
    }
    void Unbind() { *this = KelvarExports{}; }
};
