// RAII holders for GDI objects and device contexts. A paint routine restores
// what it selected on every path.
#pragma once

#include <windows.h>

template <typename T>
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(T object = nullptr) : object_(object) {}
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    ScopedGdiObject(ScopedGdiObject&& other) noexcept : object_(other.Release()) {}
    ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    ~ScopedGdiObject() { Reset(); }

    T Get() const { return object_; }
    operator T() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    T Release() {
        T object = object_;
        object_ = nullptr;
        return object;
    }
    void Reset(T object = nullptr) {
        if (object_ != nullptr) DeleteObject(object_);
        object_ = object;
    }

private:
    T object_;
};

using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedPen = ScopedGdiObject<HPEN>;
using ScopedPalette = ScopedGdiObject<HPALETTE>;

class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    ~ScopedGetDC() {
        if (dc_ != nullptr) ReleaseDC(hwnd_, dc_);
    }
    operator HDC() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

class ScopedMemoryDC {
public:
    explicit ScopedMemoryDC(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
    ~ScopedMemoryDC() {
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

class ScopedPaint {
public:
    explicit ScopedPaint(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd_, &ps_); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    ~ScopedPaint() { EndPaint(hwnd_, &ps_); }
    operator HDC() const { return dc_; }
    const RECT& Area() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
    ~ScopedSelectObject() {
        if (old_ != nullptr && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Saves the DC's state (clipping, selections, colours) and restores it on scope exit.
class ScopedSaveDC {
public:
    explicit ScopedSaveDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ScopedSaveDC(const ScopedSaveDC&) = delete;
    ScopedSaveDC& operator=(const ScopedSaveDC&) = delete;
    ~ScopedSaveDC() {
        if (saved_ != 0) RestoreDC(dc_, saved_);
    }

private:
    HDC dc_;
    int saved_;
};

// Restores text colour and background mode on scope exit.
class ScopedTextStyle {
public:
    ScopedTextStyle(HDC dc, COLORREF colour, int backgroundMode = TRANSPARENT)
        : dc_(dc), oldColour_(SetTextColor(dc, colour)), oldMode_(SetBkMode(dc, backgroundMode)) {}
    ScopedTextStyle(const ScopedTextStyle&) = delete;
    ScopedTextStyle& operator=(const ScopedTextStyle&) = delete;
    ~ScopedTextStyle() {
        SetTextColor(dc_, oldColour_);
        SetBkMode(dc_, oldMode_);
    }

private:
    HDC dc_;
    COLORREF oldColour_;
    int oldMode_;
};
