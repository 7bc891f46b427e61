#include "vantrel/reader/reader_library.h"

bool ReaderLibrary::Bind(HMODULE module) {
    bool complete = true;
#define VANTREL_BIND_MEMBER(ordinal, member, reported, required, params)          \
    member.Bind(GetProcAddress(module, MAKEINTRESOURCEA(ordinal)));                \
    if (required && !member.IsBound()) complete = false;
    KELVAR_FUNCTIONS(VANTREL_BIND_MEMBER)
#undef VANTREL_BIND_MEMBER
    return complete;
}

bool ReaderModule::Load(const wchar_t* path, ReaderLibrary& library) {
    Unload();
    module_ = LoadLibraryW(path);
    if (module_ == nullptr) return false;
    if (!library.Bind(module_)) {
        library = ReaderLibrary{};
        Unload();
        return false;
    }
    return true;
}

void ReaderModule::Unload() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
        module_ = nullptr;
    }
}
