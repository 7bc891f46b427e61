#include "vantrel/panels/iso14443b/srix4k_block_grid.h"

#include <vssym32.h>

#include <cstdlib>
#include <cwchar>

#include "vantrel/framework/common_controls.h"
#include "vantrel/framework/gdi.h"
#include "vantrel/framework/window.h"
#include "vantrel/toolkit/card_panel_base.h"

namespace {

constexpr wchar_t kHeading[] = L"byte0...byte3";
// As the statics that labels and headings once were draw their text.
constexpr UINT kLabelFormat = DT_RIGHT | DT_EXPANDTABS | DT_WORDBREAK;
constexpr UINT kHeadingFormat = DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK;

bool Meets(const RECT& a, const RECT& b) {
    RECT common{};
    return IntersectRect(&common, &a, &b) != FALSE;
}

}  // namespace

bool Srix4kBlockGrid::BlockEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_LBUTTONDOWN && forwarded_) {
        forwarded_ = false;
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(hwnd_, &at);
        const bool soon = static_cast<DWORD>(GetMessageTime() - clickTime_) <= GetDoubleClickTime();
        const bool close = std::abs(at.x - clickAt_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                          std::abs(at.y - clickAt_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
        if (soon && close) {
            result = DefaultProc(WM_LBUTTONDBLCLK, wParam, lParam);
            return true;
        }
    }
    return ByteTextEdit::HandleMessage(message, wParam, lParam, result);
}

bool Srix4kBlockGrid::Create(HWND panel, int firstId, std::size_t blockSize, HFONT hexFont,
                             const Srix4kGrid& places) {
    panel_ = panel;
    firstId_ = firstId;
    hexFont_ = hexFont;
    places_ = places;
    const RECT box = Box(0);
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                box.left, box.top, Width(box), Height(box), panel, ChildId(firstId),
                                Window(panel).Instance(), nullptr);
    if (edit == nullptr) return false;
    Window(edit).SetFont(hexFont);
    if (!editor_.SubclassWindow(edit)) {
        DestroyWindow(edit);
        return false;
    }
    editor_.SetByteLimit(blockSize);
    MeasureEditor();
    return true;
}

void Srix4kBlockGrid::MeasureEditor() {
    RECT window{};
    GetWindowRect(editor_, &window);
    POINT origin{0, 0};
    ClientToScreen(editor_, &origin);
    const RECT client = editor_.ClientRect();
    edge_ = {origin.x - window.left, origin.y - window.top, window.right - origin.x - client.right,
             window.bottom - origin.y - client.bottom};
    const RECT format = EditControl(editor_).FormattingRect();
    margins_ = {format.left, format.top, client.right - format.right, client.bottom - format.bottom};
}

void Srix4kBlockGrid::Place(const Srix4kGrid& places) {
    places_ = places;
    const RECT box = Box(block_);
    SetWindowPos(editor_, nullptr, box.left, box.top, Width(box), Height(box), SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Srix4kBlockGrid::Box(int block) const { return ToRect(places_.edits[block % kSrixBlocksPerPage]); }

RECT Srix4kBlockGrid::Inside(const RECT& box) const {
    return {box.left + edge_.left, box.top + edge_.top, box.right - edge_.right, box.bottom - edge_.bottom};
}

std::wstring Srix4kBlockGrid::Text(int block) const {
    if (block < 0 || block >= kBlocks) return {};
    return block == block_ ? editor_.Text() : texts_[block];
}

void Srix4kBlockGrid::SetTexts(const std::vector<std::wstring>& texts) {
    static const std::wstring kEmpty;
    for (int block = 0; block < kBlocks; ++block) {
        const std::wstring& text = static_cast<std::size_t>(block) < texts.size() ? texts[block] : kEmpty;
        if (block == block_) {
            editor_.SetTextIfChanged(text);
            continue;
        }
        if (texts_[block] == text) continue;
        texts_[block] = text;
        if (block / kSrixBlocksPerPage == page_) {
            const RECT inside = Inside(Box(block));
            InvalidateRect(panel_, &inside, FALSE);
        }
    }
}

void Srix4kBlockGrid::Edit(int block) {
    if (block == block_ || block < 0 || block >= kBlocks) return;
    texts_[block_] = editor_.Text();
    block_ = block;
    SetWindowLongPtrW(editor_, GWLP_ID, firstId_ + block);
    editor_.SetTextIfChanged(texts_[block]);
    // Ctrl+Z must not bring back another block's text.
    editor_.Send(EM_EMPTYUNDOBUFFER);
    // The place it leaves is uncovered and painted as a block.
    const RECT box = Box(block);
    SetWindowPos(editor_, nullptr, box.left, box.top, Width(box), Height(box), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Srix4kBlockGrid::ShowPage(int page) {
    if (page == page_ || page < 0 || page * kSrixBlocksPerPage >= kBlocks) return;
    // A focused edit that hides passes the focus on as the dialog decides.
    const bool focused = GetFocus() == editor_;
    if (focused) ShowWindow(editor_, SW_HIDE);
    page_ = page;
    Edit(page * kSrixBlocksPerPage);
    if (focused) ShowWindow(editor_, SW_SHOWNA);
    RECT rows = ToRect(places_.labels[0]);
    const RECT last = ToRect(places_.edits[kSrixBlocksPerPage - 1]);
    UnionRect(&rows, &rows, &last);
    InvalidateRect(panel_, &rows, TRUE);
}

bool Srix4kBlockGrid::OnButtonDown(UINT message, WPARAM keys, POINT at) {
    const int block = Srix4kBlockAt(places_, page_, at.x, at.y);
    if (block < 0 || editor_.Handle() == nullptr) return false;
    Edit(block);
    POINT local = at;
    MapWindowPoints(panel_, editor_, &local, 1);
    editor_.Send(message, keys, MAKELPARAM(local.x, local.y));
    if (message == WM_LBUTTONDOWN) {
        ClientToScreen(panel_, &at);
        editor_.NoteForwardedClick(at, GetMessageTime());
    }
    return true;
}

bool Srix4kBlockGrid::OnSetCursor(POINT at) const {
    if (Srix4kBlockAt(places_, page_, at.x, at.y) < 0) return false;
    SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
    return true;
}

bool Srix4kBlockGrid::OnNextControl(bool backwards) {
    HWND focus = GetFocus();
    if (focus == editor_) {
        const int next = Srix4kNextBlock(block_, backwards);
        if (next < 0) return false;
        Edit(next);
        editor_.Send(EM_SETSEL, 0, -1);
        return true;
    }
    if (GetNextDlgTabItem(panel_, focus, backwards) == editor_) {
        const int first = page_ * kSrixBlocksPerPage;
        Edit(backwards ? first + kSrixBlocksPerPage - 1 : first);
    }
    return false;
}

void Srix4kBlockGrid::Paint(HDC dc, const RECT& area) const {
    ScopedSaveDC saved(dc);
    SelectObject(dc, Window(panel_).Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kProgramTextColour);
    const int first = page_ * kSrixBlocksPerPage;
    for (int at = 0; at < kSrixBlocksPerPage; ++at) {
        RECT label = ToRect(places_.labels[at]);
        if (!Meets(label, area)) continue;
        wchar_t text[16];
        std::swprintf(text, std::size(text), L"block%d", first + at);
        DrawTextW(dc, text, -1, &label, kLabelFormat);
    }
    for (const GridBox& heading : places_.headings) {
        RECT r = ToRect(heading);
        if (Meets(r, area)) DrawTextW(dc, kHeading, -1, &r, kHeadingFormat);
    }
    const bool editorShown = IsWindowVisible(editor_) != FALSE;
    const HTHEME theme = GetWindowTheme(editor_);
    SelectObject(dc, hexFont_);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    for (int block = first; block < first + kSrixBlocksPerPage; ++block) {
        if (block == block_ && editorShown) continue;
        if (Meets(Box(block), area)) PaintBlock(dc, block, theme);
    }
}

// What an unfocused edit shows: its edge (themed or sunken), its window
// colour and its text from the formatting rectangle's corner.
void Srix4kBlockGrid::PaintBlock(HDC dc, int block, HTHEME theme) const {
    RECT box = Box(block);
    if (theme != nullptr) {
        DrawThemeBackground(theme, dc, EP_EDITTEXT, ETS_NORMAL, &box, nullptr);
    } else {
        DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
    }
    const RECT inside = Inside(box);
    FillRect(dc, &inside, GetSysColorBrush(COLOR_WINDOW));
    const std::wstring text = Text(block);
    if (text.empty()) return;
    const RECT format{inside.left + margins_.left, inside.top + margins_.top, inside.right - margins_.right,
                      inside.bottom - margins_.bottom};
    ExtTextOutW(dc, format.left, format.top, ETO_CLIPPED, &format, text.c_str(), static_cast<UINT>(text.size()),
                nullptr);
}
