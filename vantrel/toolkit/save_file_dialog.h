// The standard save dialog, with the file types a save offers.
#pragma once

#include <windows.h>

#include <string>

struct SaveFileTypes {
    const wchar_t* title;
    const wchar_t* filter;            // pairs of "Name (*.ext)" and "*.ext", each ended by a null
    const wchar_t* defaultExtension;  // added to a name typed without one
};

// The file chosen, starting from `suggested`: the index (from 0) of the file
// type chosen, or -1 when the dialog was cancelled.
int BrowseForSaveFile(HWND owner, const SaveFileTypes& types, const std::wstring& suggested, std::wstring& path);
