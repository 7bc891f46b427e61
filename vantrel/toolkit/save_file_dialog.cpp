#include "vantrel/toolkit/save_file_dialog.h"

#include <commdlg.h>

#include <vector>

int BrowseForSaveFile(HWND owner, const SaveFileTypes& types, const std::wstring& suggested, std::wstring& path) {
    std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
    suggested.copy(file.data(), file.size() - 1);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = types.filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = types.title;
    ofn.lpstrDefExt = types.defaultExtension;
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&ofn)) return -1;
    path = file.data();
    return ofn.nFilterIndex >= 1 ? static_cast<int>(ofn.nFilterIndex) - 1 : 0;
}
