#include "controls/answer_list_test_support.h"

#include "support/panel_harness.h"
#include "vantrel/framework/gdi.h"

AnswerListFixture::AnswerListFixture(DWORD extraStyle)
    : font(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                       DEFAULT_PITCH, L"Tahoma")),
      list(L"LISTBOX",
           LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | extraStyle,
           RECT{10, 50, 510, 250}, kTestListId) {
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    answers.SubclassWindow(list);
    answers.SetItemHeight(18);
}

RECT AnswerListFixture::ItemRect(int index) const {
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

RECT AnswerListFixture::ScreenRect(HWND window) const {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

RECT AnswerListFixture::ListScreenClient() const {
    RECT r{};
    GetClientRect(list, &r);
    MapWindowPoints(list, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void AnswerListFixture::MoveCursorTo(POINT listPoint) const {
    ClientToScreen(list, &listPoint);
    SetCursorPos(listPoint.x, listPoint.y);
    // The display reports the move later, sometimes with an older position
    // first: let it settle so that no stray mouse move lands inside a test.
    for (int i = 0; i < 10; ++i) {
        Sleep(10);
        PumpMessages();
    }
}

void AnswerListFixture::Click(int index) {
    const RECT item = ItemRect(index);
    POINT point{item.left + 5, (item.top + item.bottom) / 2};
    MoveCursorTo(point);
    SetFocus(list);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    HWND captured = GetCapture() != nullptr ? GetCapture() : static_cast<HWND>(list);
    MapWindowPoints(list, captured, &point, 1);
    SendMessageW(captured, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    PumpMessages();
}

int AnswerListFixture::LineHeight() const {
    ScopedGetDC dc(list);
    ScopedSelectObject font(dc, answers.Font());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return metrics.tmHeight;
}

int AnswerListFixture::TextWidth(const std::wstring& text) const {
    ScopedGetDC dc(list);
    ScopedSelectObject font(dc, answers.Font());
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

Canvas::Canvas(int width, int height, COLORREF fill)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    const RECT all{0, 0, width, height};
    ScopedBrush brush(CreateSolidBrush(fill));
    FillRect(dc_, &all, brush);
    GdiFlush();
}

Canvas::~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF Canvas::Pixel(int x, int y) const {
    GdiFlush();
    const uint32_t p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::pair<int, int> Canvas::InkRows(COLORREF background) const {
    int first = -1, last = -1;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (Pixel(x, y) != background) {
                if (first < 0) first = y;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

int Canvas::InkRight(COLORREF background) const {
    for (int x = width_ - 1; x >= 0; --x)
        for (int y = 0; y < height_; ++y)
            if (Pixel(x, y) != background) return x;
    return -1;
}

bool Canvas::Contains(COLORREF colour) const {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (Pixel(x, y) == colour) return true;
    return false;
}
