#include "vantrel/shell/process_view.h"

#include <algorithm>

#include "vantrel/toolkit/log_layout.h"
#include "vantrel/toolkit/report_text.h"

namespace {

COLORREF ToColorref(Rgb c) { return RGB(c.r, c.g, c.b); }

}  // namespace

void PaintLogBackground(HDC dc, const RECT& area) {
    const int rows = GradientRows(Height(area));
    for (int i = 0; i < rows; ++i) {
        ScopedBrush brush(CreateSolidBrush(ToColorref(GradientColour(i, rows))));
        RECT row{area.left, area.top + i, area.right, area.top + i + 1};
        FillRect(dc, &row, brush);
    }
    RECT rest{area.left, area.top + rows, area.right, area.bottom};
    if (rest.bottom > rest.top) FillRect(dc, &rest, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

CProcessView::CProcessView() {
    LOGFONTW lf{};
    lf.lfHeight = kLogFontHeight;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = FF_SWISS;
    wcscpy(lf.lfFaceName, L"Arial");
    font_.Reset(CreateFontIndirectW(&lf));
}

bool CProcessView::Create(HWND parent) {
    RECT r{0, 0, 100, 100};
    if (!WindowBase::Create(L"VantrelProcessView", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, r,
                            parent, nullptr, CS_HREDRAW | CS_VREDRAW)) {
        return false;
    }
    SetScrollSizes(kLogMinHeight, kLogMinHeight);
    return true;
}

std::span<const MessageEntry<CProcessView>> CProcessView::Messages() {
    static const MessageEntry<CProcessView> map[] = {
        OnMessage(WM_PAINT, &CProcessView::OnPaint),
        OnMessage(WM_ERASEBKGND, &CProcessView::OnEraseBackground),
        OnMessage(WM_DESTROY, &CProcessView::OnDestroy),
        OnMessage(WM_SIZE, &CProcessView::OnSize),
    };
    return map;
}

void CProcessView::AddEntry(const std::wstring& functionName, int32_t status) {
    entries_.push_back({functionName, status});
    const int total = LogTotalHeight(entries_.size());
    SetScrollSizes(kLogMinHeight, total);
    RebuildImage(LogImageHeight(total, Height(ClientRect())));
    DrawEntries();
    CopyImageToWindow(0);
}

void CProcessView::ClearEntries() {
    entries_.clear();
    SetScrollSizes(kLogMinHeight, kLogMinHeight);
    RebuildImage(LogImageHeight(kLogMinHeight, Height(ClientRect())));
    CopyImageToWindow(0);
}

void CProcessView::RebuildImage(int height) {
    ScopedGetDC windowDc(hwnd_);
    imageWidth_ = std::max(Width(ClientRect()), 1);
    imageHeight_ = std::max(height, 1);
    image_.Reset(CreateCompatibleBitmap(windowDc, imageWidth_, imageHeight_));
    ScopedMemoryDC dc(windowDc);
    ScopedSelectObject select(dc, image_);
    PaintLogBackground(dc, RECT{0, 0, imageWidth_, imageHeight_});
}

void CProcessView::DrawEntries() {
    ScopedGetDC windowDc(hwnd_);
    ScopedMemoryDC dc(windowDc);
    ScopedSelectObject selectImage(dc, image_);
    ScopedSelectObject selectFont(dc, font_);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const int resultX = LogResultX(imageWidth_);
    for (size_t k = 0; k < entries_.size(); ++k) {
        const Entry& e = entries_[k];
        const int y = LogLineTop(static_cast<int>(k));
        SetTextColor(dc, ToColorref(kLogTextColour));
        TextOutW(dc, kLogNameX, y, e.functionName.c_str(), static_cast<int>(e.functionName.size()));
        const std::wstring result = LogResultText(e.status);
        SetTextColor(dc, ToColorref(e.status == 0 ? kLogTextColour : kLogFailureColour));
        TextOutW(dc, resultX, y, result.c_str(), static_cast<int>(result.size()));
    }
    SetBkMode(dc, oldMode);
}

void CProcessView::CopyImageToWindow(int offset) {
    if (!image_) return;
    ScopedGetDC windowDc(hwnd_);
    ScopedMemoryDC dc(windowDc);
    ScopedSelectObject select(dc, image_);
    BitBlt(windowDc, 0, 0, imageWidth_, imageHeight_, dc, 0, offset, SRCCOPY);
}

LRESULT CProcessView::OnPaint(WPARAM, LPARAM) {
    ScopedPaint paint(hwnd_);
    if (!image_) {
        PaintLogBackground(paint, ClientRect());
        return 0;
    }
    ScopedMemoryDC dc(paint);
    ScopedSelectObject select(dc, image_);
    const RECT client = ClientRect();
    BitBlt(paint, 0, 0, client.right, client.bottom, dc, 0, ScrollPosition(), SRCCOPY);
    return 0;
}

LRESULT CProcessView::OnEraseBackground(WPARAM wParam, LPARAM) {
    PaintLogBackground(reinterpret_cast<HDC>(wParam), ClientRect());
    return TRUE;
}

// A new width moves the result column: draw the lines again for it.
LRESULT CProcessView::OnSize(WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    ScrollView::HandleMessage(WM_SIZE, wParam, lParam, result);
    if (image_) {
        RebuildImage(LogImageHeight(LogTotalHeight(entries_.size()), Height(ClientRect())));
        DrawEntries();
        Invalidate(false);
    }
    return 0;
}

LRESULT CProcessView::OnDestroy(WPARAM, LPARAM) {
    entries_.clear();
    return 0;
}
