// The reader library as the program sees it: one typed stdcall function per
// bound ordinal (reader_function.h), and the module they are bound to.
#pragma once

#include <windows.h>

#include <cstdint>

#include "kelvar/kelvar_functions.h"
#include "vantrel/reader/reader_function.h"

class ReaderLibrary {
public:
    ReaderLibrary() = default;
    ReaderLibrary(const ReaderLibrary&) = delete;
    ReaderLibrary& operator=(const ReaderLibrary&) = delete;

#define VANTREL_READER_MEMBER(ordinal, member, reported, required, params) \
    ReaderFunction<int32_t params> member{ordinal, L"" reported, &observer_};
    KELVAR_FUNCTIONS(VANTREL_READER_MEMBER)
#undef VANTREL_READER_MEMBER

    // Looks every bound ordinal up in `module`. False when a required one is
    // missing; the optional ones that are missing stay unbound.
    bool Bind(HMODULE module);
    // Every function unbound.
    void Unbind();
    // Every call of this library's functions from now on goes to `observer`
    // (none: null) after it returned.
    void SetObserver(ReaderObserver* observer) { observer_ = observer; }

private:
    ReaderObserver* observer_ = nullptr;
};

// Owns the loaded library module.
class ReaderModule {
public:
    ReaderModule() = default;
    ReaderModule(const ReaderModule&) = delete;
    ReaderModule& operator=(const ReaderModule&) = delete;
    ~ReaderModule() { Unload(); }

    // Loads `path` and binds `library` to it (anything with Bind(HMODULE)
    // and Unbind()); on failure nothing stays loaded or bound.
    template <typename Library>
    bool Load(const wchar_t* path, Library& library) {
        if (!LoadModule(path)) return false;
        if (library.Bind(module_)) return true;
        library.Unbind();
        Unload();
        return false;
    }
    void Unload();
    bool IsLoaded() const { return module_ != nullptr; }

private:
    bool LoadModule(const wchar_t* path);

    HMODULE module_ = nullptr;
};
