#include "vantrel/shell/process_view.h"

#include <algorithm>

#include "vantrel/toolkit/log_layout.h"
#include "vantrel/toolkit/report_text.h"
#include "vantrel/toolkit/status_hints.h"

namespace {

COLORREF ToColorref(Rgb c) { return RGB(c.r, c.g, c.b); }

}  // namespace

void PaintLogBackground(HDC dc, const RECT& area) {
    const int rows = GradientRows(Height(area));
    // One row at a time through the DC brush: no brush created per row.
    ScopedSelectObject selectBrush(dc, GetStockObject(DC_BRUSH));
    const COLORREF oldColour = GetDCBrushColor(dc);
    for (int i = 0; i < rows; ++i) {
        SetDCBrushColor(dc, ToColorref(GradientColour(i, rows)));
        PatBlt(dc, area.left, area.top + i, Width(area), 1, PATCOPY);
    }
    SetDCBrushColor(dc, oldColour);
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
        OnMessage(WM_MOUSEMOVE, &CProcessView::OnMouseMove),
    };
    return map;
}

void CProcessView::AddEntry(const std::wstring& functionName, int32_t status) {
    entries_.push_back({functionName, status});
    if (batchDepth_ == 0) Flush();
}

void CProcessView::ClearEntries() {
    entries_.clear();
    hint_.Clear();
    // The lines stay in the image until Flush erases them.
    eraseBottom_ = std::max(eraseBottom_, LogLineTop(static_cast<int>(drawnCount_)));
    drawnCount_ = 0;
    cleared_ = true;
    if (batchDepth_ == 0) Flush();
}

void CProcessView::EndBatch() {
    if (batchDepth_ > 0 && --batchDepth_ == 0) Flush();
}

void CProcessView::MarkRows(int top, int bottom) {
    if (bottom <= top) return;
    if (dirtyBottom_ <= dirtyTop_) {
        dirtyTop_ = top;
        dirtyBottom_ = bottom;
    } else {
        dirtyTop_ = std::min(dirtyTop_, top);
        dirtyBottom_ = std::max(dirtyBottom_, bottom);
    }
}

void CProcessView::Flush() {
    if (!IsValid()) return;
    // A cleared log shows its first line, as a short log would have.
    if (cleared_ && ScrollPosition() != 0) ScrollTo(0, false);
    cleared_ = false;
    const int total = LogTotalHeight(entries_.size());
    // May show or hide the scroll bar, whose WM_SIZE draws everything again
    // at the new width.
    if (total != TotalHeight()) SetScrollSizes(kLogMinHeight, total, BarRedraw::WhenIdle);
    const int needed = LogImageHeight(total, ClientHeight());
    // A long log's image is not kept for the short ones that usually follow.
    if (image_ && imageHeight_ > 2 * LogImageCapacity(needed, 0)) {
        RebuildImage(LogImageCapacity(needed, 0));
    } else {
        EnsureImage(needed);
    }
    if (eraseBottom_ > 0) {
        EraseImageRows(0, std::min(eraseBottom_, paintedBottom_));
        MarkRows(0, eraseBottom_);
        eraseBottom_ = 0;
    }
    const int top = LogLineTop(static_cast<int>(drawnCount_));
    DrawPendingEntries();
    MarkRows(top, LogLineTop(static_cast<int>(drawnCount_)));
    // While the window shows the image where it is scrolled to, only the
    // changed rows are copied.
    const int offset = ScrollPosition();
    if (shownOffset_ != offset) {
        CopyImageToWindow(offset, offset + ClientHeight());
    } else {
        CopyImageToWindow(dirtyTop_, dirtyBottom_);
    }
    dirtyTop_ = dirtyBottom_ = 0;
}

// As wide as the window: the client with the scroll bar hidden. Showing or
// hiding the bar then keeps the image.
int CProcessView::WantedImageWidth() const {
    RECT window{};
    GetWindowRect(hwnd_, &window);
    return std::max({Width(window), Width(ClientRect()), 1});
}

void CProcessView::EnsureImage(int height) {
    if (image_ && WantedImageWidth() == imageWidth_) {
        if (height > imageHeight_) GrowImage(LogImageCapacity(height, imageHeight_));
        return;
    }
    RebuildImage(LogImageCapacity(height, 0));
}

void CProcessView::GrowImage(int height) {
    ScopedGetDC windowDc(hwnd_);
    ScopedBitmap grown(CreateCompatibleBitmap(windowDc, imageWidth_, height));
    {
        ScopedMemoryDC dc(windowDc);
        ScopedSelectObject select(dc, grown.Get());
        BitBlt(dc, 0, 0, imageWidth_, paintedBottom_, *imageDc_, 0, 0, SRCCOPY);
    }
    SelectObject(*imageDc_, grown.Get());
    image_ = std::move(grown);
    imageHeight_ = height;
}

void CProcessView::RebuildImage(int height) {
    ScopedGetDC windowDc(hwnd_);
    imageWidth_ = WantedImageWidth();
    imageHeight_ = std::max(height, 1);
    ScopedBitmap image(CreateCompatibleBitmap(windowDc, imageWidth_, imageHeight_));
    if (!imageDc_) {
        imageDc_.emplace(windowDc);
        selectImage_.emplace(*imageDc_, image.Get());
        selectFont_.emplace(*imageDc_, font_.Get());
        SetBkMode(*imageDc_, TRANSPARENT);
    } else {
        SelectObject(*imageDc_, image.Get());
    }
    // The old image is no longer selected: it can go.
    image_ = std::move(image);
    drawnCount_ = 0;
    paintedBottom_ = 0;
    eraseBottom_ = 0;
    shownOffset_ = -1;
}

void CProcessView::PaintRows(int bottom) {
    if (!image_) return;
    // Whole lines at a time: a line is drawn once, over its finished background.
    bottom = std::min((bottom + kLogLinePitch - 1) / kLogLinePitch * kLogLinePitch, imageHeight_);
    if (bottom > paintedBottom_) {
        EraseImageRows(paintedBottom_, bottom);
        paintedBottom_ = bottom;
    }
    DrawPendingEntries();
}

void CProcessView::EraseImageRows(int top, int bottom) {
    if (!image_ || bottom <= top) return;
    // The background of the whole image, kept to the rows asked for.
    ScopedSaveDC saved(*imageDc_);
    IntersectClipRect(*imageDc_, 0, top, imageWidth_, bottom);
    PaintLogBackground(*imageDc_, RECT{0, 0, imageWidth_, imageHeight_});
}

void CProcessView::DrawPendingEntries() {
    if (!image_) return;
    HDC dc = *imageDc_;
    const int resultX = LogResultX(Width(ClientRect()));
    size_t k = drawnCount_;
    for (; k < entries_.size() && LogLineTop(static_cast<int>(k)) + kLogLinePitch <= paintedBottom_; ++k) {
        const Entry& e = entries_[k];
        const int y = LogLineTop(static_cast<int>(k));
        SetTextColor(dc, ToColorref(kLogTextColour));
        TextOutW(dc, kLogNameX, y, e.functionName.c_str(), static_cast<int>(e.functionName.size()));
        const std::wstring result = LogResultText(e.status);
        SetTextColor(dc, ToColorref(e.status == 0 ? kLogTextColour : kLogFailureColour));
        TextOutW(dc, resultX, y, result.c_str(), static_cast<int>(result.size()));
    }
    drawnCount_ = k;
}

void CProcessView::CopyImageToWindow(int top, int bottom) {
    if (!image_) return;
    const int offset = ScrollPosition();
    const int client = ClientHeight();
    if (top <= offset && bottom >= offset + client) shownOffset_ = offset;
    top = std::max(top, offset);
    bottom = std::min({bottom, offset + client, imageHeight_});
    if (bottom <= top) return;
    PaintRows(bottom);
    ScopedGetDC windowDc(hwnd_);
    BitBlt(windowDc, 0, top - offset, Width(ClientRect()), bottom - top, *imageDc_, 0, top, SRCCOPY);
}

LRESULT CProcessView::OnPaint(WPARAM, LPARAM) {
    ScopedPaint paint(hwnd_);
    const RECT client = ClientRect();
    if (!image_) {
        PaintLogBackground(paint, client);
        return 0;
    }
    const RECT& area = paint.Area();
    const int offset = ScrollPosition();
    PaintRows(area.bottom + offset);
    BitBlt(paint, area.left, area.top, Width(area), Height(area), *imageDc_, area.left, area.top + offset,
           SRCCOPY);
    const bool whole = area.top <= 0 && area.bottom >= client.bottom && area.left <= 0 && area.right >= client.right;
    if (whole) {
        shownOffset_ = offset;
    } else if (shownOffset_ != offset) {
        shownOffset_ = -1;
    }
    return 0;
}

// The paint that follows covers everything from the image.
LRESULT CProcessView::OnEraseBackground(WPARAM wParam, LPARAM) {
    if (!image_) PaintLogBackground(reinterpret_cast<HDC>(wParam), ClientRect());
    return TRUE;
}

void CProcessView::OnScrolled(int) { shownOffset_ = -1; }

// A new width moves the result column: draw the lines again for it. When
// only the scroll bar came or went, the image stays and only the rows of its
// lines are painted again; the rest follows when the window shows them.
LRESULT CProcessView::OnSize(WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    ScrollView::HandleMessage(WM_SIZE, wParam, lParam, result);
    if (image_) {
        const int needed = LogImageHeight(LogTotalHeight(entries_.size()), ClientHeight());
        if (WantedImageWidth() == imageWidth_ && needed <= imageHeight_) {
            const int written = std::max(LogLineTop(static_cast<int>(drawnCount_)), eraseBottom_);
            EraseImageRows(0, std::min(written, paintedBottom_));
            eraseBottom_ = 0;
            drawnCount_ = 0;
        } else {
            RebuildImage(LogImageCapacity(needed, 0));
        }
        DrawPendingEntries();
        shownOffset_ = -1;
        Invalidate(false);
    }
    return 0;
}

int CProcessView::EntryAt(POINT point) const {
    if (point.y < 0) return -1;
    const int index = (point.y + ScrollPosition()) / kLogLinePitch;
    return index < static_cast<int>(entries_.size()) ? index : -1;
}

LRESULT CProcessView::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    const int index = EntryAt(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    hint_.Relay(hwnd_, WM_MOUSEMOVE, wParam, lParam, index >= 0 ? StatusHint(entries_[index].status) : L"");
    return 0;
}

LRESULT CProcessView::OnDestroy(WPARAM, LPARAM) {
    entries_.clear();
    return 0;
}
