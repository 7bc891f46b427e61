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

void ReaderLibrary::Unbind() {
#define VANTREL_UNBIND_MEMBER(ordinal, member, reported, required, params) member.Set(nullptr);
    KELVAR_FUNCTIONS(VANTREL_UNBIND_MEMBER)
#undef VANTREL_UNBIND_MEMBER
}

bool ReaderModule::LoadModule(const wchar_t* path) {
    Unload();
    module_ = LoadLibraryW(path);
    return module_ != nullptr;
}

void ReaderModule::Unload() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
        module_ = nullptr;
    }
}
