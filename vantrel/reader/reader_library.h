// The reader library as the program sees it: one typed stdcall function per
// bound ordinal. A function the library does not export answers
// kStatusNotBound instead of being called, so callers log and report it like
// any other failure.
#pragma once

#include <windows.h>

#include <cstdint>

#include "kelvar/kelvar_functions.h"

// Status of a call to a function the loaded library does not export.
constexpr int32_t kStatusNotBound = -2;

template <typename Signature>
class ReaderFunction;

template <typename... Args>
class ReaderFunction<int32_t(Args...)> {
public:
    using Pointer = int32_t(__stdcall*)(Args...);

    explicit ReaderFunction(const wchar_t* name) : name_(name) {}

    int32_t operator()(Args... args) const { return fn_ ? fn_(args...) : kStatusNotBound; }
    bool IsBound() const { return fn_ != nullptr; }
    void Set(Pointer fn) { fn_ = fn; }
    void Bind(FARPROC address) { fn_ = reinterpret_cast<Pointer>(reinterpret_cast<void*>(address)); }
    // The name under which the result log shows this function.
    const wchar_t* Name() const { return name_; }

private:
    const wchar_t* name_;
    Pointer fn_ = nullptr;
};

struct ReaderLibrary {
#define VANTREL_READER_MEMBER(ordinal, member, reported, required, params) \
    ReaderFunction<int32_t params> member{L"" reported};
    KELVAR_FUNCTIONS(VANTREL_READER_MEMBER)
#undef VANTREL_READER_MEMBER

    // Looks every bound ordinal up in `module`. False when a required one is
    // missing; the optional ones that are missing stay unbound.
    bool Bind(HMODULE module);
};

// Owns the loaded library module.
class ReaderModule {
public:
    ReaderModule() = default;
    ReaderModule(const ReaderModule&) = delete;
    ReaderModule& operator=(const ReaderModule&) = delete;
    ~ReaderModule() { Unload(); }

    // Loads `path` and binds `library` to it; on failure nothing stays loaded.
    bool Load(const wchar_t* path, ReaderLibrary& library);
    void Unload();
    bool IsLoaded() const { return module_ != nullptr; }

private:
    HMODULE module_ = nullptr;
};
