// An owner-drawn list box under the test host with an AnswerList bound to it,
// and a 32-bit canvas to draw its items on.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "controls/control_test_support.h"
#include "vantrel/framework/gdi.h"
#include "vantrel/toolkit/answer_list.h"

inline constexpr int kTestListId = 1062;

class AnswerListFixture {
public:
    explicit AnswerListFixture(DWORD extraStyle = LBS_HASSTRINGS);

    RECT ItemRect(int index) const;
    RECT ScreenRect(HWND window) const;
    // Client area of the list in screen coordinates.
    RECT ListScreenClient() const;
    // Puts the mouse pointer at `listPoint` (the list's client coordinates).
    void MoveCursorTo(POINT listPoint) const;
    // A left click in the middle of item `index`, released where the mouse is captured.
    void Click(int index);
    int Selected() const { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); }
    // Height of a line in the list's font.
    int LineHeight() const;
    int TextWidth(const std::wstring& text) const;

    ScopedFont font;  // without smoothing, so that text pixels keep their colour
    ChildControl list;
    AnswerList answers;
};

// A top-down 32-bit DIB selected into a memory DC.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    COLORREF Pixel(int x, int y) const;
    // Rows holding a pixel other than `background`: first and last, -1 if none.
    std::pair<int, int> InkRows(COLORREF background) const;
    // Rightmost column holding a pixel other than `background`, -1 if none.
    int InkRight(COLORREF background) const;
    bool Contains(COLORREF colour) const;

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* bits_ = nullptr;
};
