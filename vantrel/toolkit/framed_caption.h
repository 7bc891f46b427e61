// A group frame drawn by the panel itself: an etched rectangle whose top line
// runs through the middle of its caption.
#pragma once

#include <windows.h>

#include <string>

class FramedCaption {
public:
    void Init(const std::wstring& text, int style, const RECT& rect, HWND owner);
    void SetTextColour(COLORREF colour) { colour_ = colour; }
    // Stores the new rectangle and redraws at once if the owner shows.
    void Move(const RECT& rect);
    void Draw() const;
    // Draws on `dc`, a DC of the owner (its paint DC).
    void Draw(HDC dc) const;
    const RECT& Rect() const { return rect_; }
    const std::wstring& Text() const { return text_; }

    // Hides group box `id` of `panel` and takes over its text and rectangle.
    void ReplaceGroupBox(HWND panel, int id, COLORREF colour);

private:
    std::wstring text_;
    int style_ = 0;
    RECT rect_{};
    HWND owner_ = nullptr;
    COLORREF colour_ = RGB(41, 101, 132);
};
