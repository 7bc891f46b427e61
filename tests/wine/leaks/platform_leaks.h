// What the system's own controls keep after they are destroyed. Wine's IP
// address control keeps one font per instance; a leak test must not blame
// the program for it, nor hide a leak of the program's behind a wide margin.
#pragma once

#include <windows.h>

#include <map>
#include <string>

class PlatformLeaks {
public:
    // Counts the controls (by class, nested ones included) of `panel`.
    void CountControlsOf(HWND panel);
    // GDI objects the counted controls kept, measured on bare instances of
    // their classes created and destroyed under `parent`.
    DWORD KeptGdiObjects(HWND parent);

private:
    std::map<std::wstring, long> created_;
};
