#pragma once

#include <windows.h>

// The display's resolution in pixels, read from the "DISPLAY" device.
inline SIZE DisplayResolution() {
    HDC display = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    const SIZE size{GetDeviceCaps(display, HORZRES), GetDeviceCaps(display, VERTRES)};
    DeleteDC(display);
    return size;
}
