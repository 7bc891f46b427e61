#include "leaks/gui_resources.h"

#include <psapi.h>

namespace {

// Handles carry their table index in the low word; the system accepts an
// index without its generation, so every live object is found once.
constexpr ULONG_PTR kLastIndex = 0xFFFF;
constexpr ULONG_PTR kFirstUserIndex = 0x20;

DWORD ProbeGdiObjects() {
    DWORD count = 0;
    for (ULONG_PTR index = 1; index <= kLastIndex; ++index) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
    }
    return count;
}

bool IsOwnWindow(HWND hwnd) {
    DWORD process = 0;
    return IsWindow(hwnd) && GetWindowThreadProcessId(hwnd, &process) != 0 &&
           process == GetCurrentProcessId();
}

bool IsIconOrCursor(HICON handle) {
    ICONINFO info{};
    if (!GetIconInfo(handle, &info)) return false;
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    return true;
}

DWORD ProbeUserObjects() {
    DWORD count = 0;
    for (ULONG_PTR index = kFirstUserIndex; index <= kLastIndex; index += 2) {
        if (IsOwnWindow(reinterpret_cast<HWND>(index)) || IsMenu(reinterpret_cast<HMENU>(index)) ||
            IsIconOrCursor(reinterpret_cast<HICON>(index))) {
            ++count;
        }
    }
    return count;
}

}  // namespace

GuiObjects CountGuiObjects() {
    HANDLE self = GetCurrentProcess();
    SetLastError(ERROR_SUCCESS);
    GuiObjects objects{GetGuiResources(self, GR_GDIOBJECTS), GetGuiResources(self, GR_USEROBJECTS)};
    if (objects.gdi == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
        objects.user = ProbeUserObjects();
        objects.gdi = ProbeGdiObjects();
    }
    return objects;
}

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof(counters))) {
        return 0;
    }
    // Wine leaves PrivateUsage at 0; the page-file usage is the same figure.
    return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}
