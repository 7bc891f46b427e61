#include "vantrel/toolkit/framed_caption.h"

#include "vantrel/framework/gdi.h"
#include "vantrel/framework/window.h"

void FramedCaption::Init(const std::wstring& text, int style, const RECT& rect, HWND owner) {
    text_ = text;
    style_ = style;
    rect_ = rect;
    owner_ = owner;
}

void FramedCaption::Move(const RECT& rect) {
    rect_ = rect;
    // An owner out of sight is painted whole when it shows.
    if (owner_ != nullptr && IsWindowVisible(owner_)) {
        InvalidateRect(owner_, nullptr, TRUE);
        UpdateWindow(owner_);
    }
}

void FramedCaption::ReplaceGroupBox(HWND panel, int id, COLORREF colour) {
    Window box(GetDlgItem(panel, id));
    if (box == nullptr) return;
    const RECT rect = box.RectIn(panel);
    const std::wstring text = box.Text();
    // Templates hide their group boxes already: hiding one costs Wine a
    // display check per cached device context, even in a hidden panel.
    if (box.HasVisibleStyle()) box.Show(SW_HIDE);
    Init(text, 0, rect, panel);
    SetTextColour(colour);
}

void FramedCaption::Draw() const {
    if (owner_ == nullptr) return;
    ScopedGetDC dc(owner_);
    Draw(dc);
}

void FramedCaption::Draw(HDC dc) const {
    if (owner_ == nullptr) return;
    ScopedSelectObject selectFont(dc, reinterpret_cast<HFONT>(SendMessageW(owner_, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text_.c_str(), static_cast<int>(text_.size()), &size);
    const int average = text_.empty() ? 0 : size.cx / static_cast<int>(text_.size());
    const int x0 = rect_.left + 2 * average;
    const int gapRight = x0 + size.cx + 2;
    const int gapLeft = x0 - 2;

    auto outline = [&](int shift) {
        const int l = rect_.left + shift, t = rect_.top + shift;
        const int r = rect_.right - 1 + shift, b = rect_.bottom - 1 + shift;
        MoveToEx(dc, l, t, nullptr);
        LineTo(dc, l, b);
        LineTo(dc, r, b);
        LineTo(dc, r, t);
        LineTo(dc, text_.empty() ? l : gapRight, t);
        if (!text_.empty()) {
            MoveToEx(dc, gapLeft, t, nullptr);
            LineTo(dc, l, t);
        }
    };
    {
        // The DC pen in both colours: no pen is created per drawing.
        ScopedSelectObject select(dc, GetStockObject(DC_PEN));
        const COLORREF oldColour = SetDCPenColor(dc, RGB(128, 128, 128));
        outline(0);
        SetDCPenColor(dc, RGB(255, 255, 255));
        outline(1);
        SetDCPenColor(dc, oldColour);
    }
    ScopedTextStyle style(dc, colour_);
    TextOutW(dc, x0, rect_.top - size.cy / 2, text_.c_str(), static_cast<int>(text_.size()));
}
