#include "vantrel/dumps/compare_dialog.h"

#include <algorithm>

#include "vantrel/dumps/dump_ids.h"
#include "vantrel/dumps/dump_layout.h"
#include "vantrel/framework/gdi.h"
#include "vantrel/toolkit/shared_gdi.h"

namespace dumps {

namespace {

constexpr COLORREF kDifferingText = RGB(160, 0, 0);
constexpr COLORREF kDifferingBack = RGB(255, 214, 214);
constexpr COLORREF kUnitText = RGB(41, 101, 132);
constexpr int kPadding = 4;
constexpr int kGapChars = 3;

bool PutOnClipboard(HWND owner, const std::wstring& text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool placed = false;
    if (memory != nullptr) {
        if (void* target = GlobalLock(memory)) {
            std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(target));
            GlobalUnlock(memory);
            placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        }
        if (!placed) GlobalFree(memory);
    }
    CloseClipboard();
    return placed;
}

}  // namespace

CompareDialog::CompareDialog(const CardDump& left, const CardDump& right, std::wstring leftName, std::wstring rightName)
    : WithMessageMap(IDD_DUMP_COMPARE), left_(left), right_(right), leftName_(std::move(leftName)),
      rightName_(std::move(rightName)), comparison_(CompareDumps(left, right)) {}

std::span<const MessageEntry<CompareDialog>> CompareDialog::Messages() {
    static const MessageEntry<CompareDialog> map[] = {
        OnMessage(WM_MEASUREITEM, &CompareDialog::OnMeasureItem),
        OnMessage(WM_DRAWITEM, &CompareDialog::OnDrawItem),
        OnCommand(IDC_DUMP_ONLY_DIFFERING, &CompareDialog::OnOnlyDiffering),
        OnCommand(IDC_DUMP_COPY, &CompareDialog::OnCopy),
    };
    return map;
}

BOOL CompareDialog::OnInitDialog() {
    font_ = HexFont(Font());
    {
        ScopedGetDC dc(hwnd_);
        ScopedSelectObject select(dc, font_);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        charWidth_ = metrics.tmAveCharWidth;
        lineHeight_ = metrics.tmHeight + 4;
    }
    // WM_MEASUREITEM came before the font was known.
    SendDlgItemMessageW(hwnd_, IDC_DUMP_LIST, LB_SETITEMHEIGHT, 0, lineHeight_);
    const DumpLayout* layout = FindDumpLayout(left_.code);
    for (std::size_t unit = 0; layout != nullptr && unit < left_.units.size(); ++unit) {
        nameChars_ = std::max(nameChars_, static_cast<int>(UnitName(*layout, static_cast<int>(unit)).size()));
    }
    const std::size_t units = left_.units.size();
    const std::wstring word = layout != nullptr ? std::wstring(layout->unitWord) : L"units";
    Window(Item(IDC_DUMP_COUNT))
        .SetText(left_.cardName + L": " + std::to_wstring(comparison_.differing.size()) + L" of " +
                 std::to_wstring(units) + L" units differ" +
                 (comparison_.differing.empty() ? L"." : L" (highlighted)."));
    Window(Item(IDC_DUMP_HEAD_UNIT)).SetText(word == L"bytes" ? L"Bytes" : (word == L"page" ? L"Page" : L"Block"));
    Window(Item(IDC_DUMP_HEAD_LEFT)).SetText(leftName_);
    Window(Item(IDC_DUMP_HEAD_RIGHT)).SetText(rightName_);
    Window(Item(IDC_DUMP_COPY)).Enable(!comparison_.differing.empty());
    FitToColumns();
    PlaceHeadings();
    Fill();
    return TRUE;
}

// Narrower units leave the list wider than its lines: the dialog shrinks to
// them, keeping its centre.
void CompareDialog::FitToColumns() {
    const int unitBytes = left_.units.empty() ? 0 : static_cast<int>(left_.units[0].data.size());
    const int lineChars = nameChars_ + 2 * kGapChars + 2 * 3 * unitBytes;
    const Window list(Item(IDC_DUMP_LIST));
    RECT listRect = list.RectIn(hwnd_);
    const int needed = 2 * kPadding + lineChars * charWidth_ + GetSystemMetrics(SM_CXVSCROLL) +
                       4 * GetSystemMetrics(SM_CXBORDER);
    const int spare = (listRect.right - listRect.left) - needed;
    if (spare <= 0) return;
    listRect.right -= spare;
    list.Move(listRect);
    for (int id : {IDOK, IDC_DUMP_ONLY_DIFFERING}) {
        const Window control(Item(id));
        RECT r = control.RectIn(hwnd_);
        OffsetRect(&r, -spare, 0);
        control.Move(r);
    }
    const Window count(Item(IDC_DUMP_COUNT));
    RECT countRect = count.RectIn(hwnd_);
    countRect.right = Window(Item(IDC_DUMP_ONLY_DIFFERING)).RectIn(hwnd_).left - kPadding;
    count.Move(countRect);
    RECT window{};
    GetWindowRect(hwnd_, &window);
    MoveWindow(hwnd_, window.left + spare / 2, window.top, window.right - window.left - spare,
               window.bottom - window.top, TRUE);
}

// The headings over the list's columns.
void CompareDialog::PlaceHeadings() {
    const Window list(Item(IDC_DUMP_LIST));
    const RECT listRect = list.RectIn(hwnd_);
    const int unitBytes = left_.units.empty() ? 0 : static_cast<int>(left_.units[0].data.size());
    const int leftX = listRect.left + kPadding + (nameChars_ + kGapChars) * charWidth_;
    const int rightX = leftX + (3 * unitBytes + kGapChars) * charWidth_;
    const auto place = [&](int id, int x, int right) {
        const Window heading(Item(id));
        RECT r = heading.RectIn(hwnd_);
        r.left = x;
        r.right = std::max(x + charWidth_, right);
        heading.Move(r);
    };
    place(IDC_DUMP_HEAD_UNIT, listRect.left + kPadding, leftX - charWidth_);
    place(IDC_DUMP_HEAD_LEFT, leftX, rightX - charWidth_);
    place(IDC_DUMP_HEAD_RIGHT, rightX, listRect.right);
}

void CompareDialog::Fill() {
    const bool onlyDiffering = IsDlgButtonChecked(hwnd_, IDC_DUMP_ONLY_DIFFERING) == BST_CHECKED;
    listed_.clear();
    if (onlyDiffering) {
        listed_ = comparison_.differing;
    } else {
        for (std::size_t unit = 0; unit < left_.units.size(); ++unit) listed_.push_back(static_cast<int>(unit));
    }
    HWND list = Item(IDC_DUMP_LIST);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (int unit : listed_) SendMessageW(list, LB_ADDSTRING, 0, unit);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void CompareDialog::OnOnlyDiffering() { Fill(); }

std::wstring CompareDialog::DifferencesText() const {
    return dumps::DifferencesText(left_, right_, comparison_, leftName_, rightName_);
}

void CompareDialog::OnCopy() {
    if (!PutOnClipboard(hwnd_, DifferencesText())) MessageBeep(MB_ICONWARNING);
}

LRESULT CompareDialog::OnMeasureItem(WPARAM, LPARAM lParam) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (measure->CtlID != IDC_DUMP_LIST) return FALSE;
    measure->itemHeight = lineHeight_;
    return TRUE;
}

LRESULT CompareDialog::OnDrawItem(WPARAM, LPARAM lParam) {
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (draw->CtlID != IDC_DUMP_LIST) return FALSE;
    HDC dc = draw->hDC;
    FillRect(dc, &draw->rcItem, GetSysColorBrush(COLOR_WINDOW));
    if (draw->itemID == static_cast<UINT>(-1)) return TRUE;
    const int unit = static_cast<int>(draw->itemData);
    const DumpLayout* layout = FindDumpLayout(left_.code);
    if (layout == nullptr || unit < 0 || unit >= static_cast<int>(left_.units.size())) return TRUE;
    ScopedSelectObject select(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    const int top = draw->rcItem.top + 2;
    int x = draw->rcItem.left + kPadding;
    const bool differs = std::binary_search(comparison_.differing.begin(), comparison_.differing.end(), unit);
    const std::wstring name = UnitName(*layout, unit);
    SetTextColor(dc, differs ? kDifferingText : kUnitText);
    TextOutW(dc, x, top, name.c_str(), static_cast<int>(name.size()));
    x += (nameChars_ + kGapChars) * charWidth_;
    for (const CardDump* side : {&left_, &right_}) {
        const DumpUnit& data = side->units[unit];
        for (std::size_t i = 0; i < data.data.size(); ++i) {
            const std::wstring byte = UnitText(DumpUnit{{data.data[i]}, data.read, {}});
            const bool byteDiffers = ByteDiffers(left_, right_, unit, static_cast<int>(i));
            if (byteDiffers) {
                RECT mark{x - 1, draw->rcItem.top + 1, x + 2 * charWidth_ + 1, draw->rcItem.bottom - 1};
                ScopedBrush back(CreateSolidBrush(kDifferingBack));
                FillRect(dc, &mark, back);
            }
            SetTextColor(dc, byteDiffers ? kDifferingText : GetSysColor(COLOR_WINDOWTEXT));
            TextOutW(dc, x, top, byte.c_str(), static_cast<int>(byte.size()));
            x += 3 * charWidth_;
        }
        x += kGapChars * charWidth_;
    }
    return TRUE;
}

}  // namespace dumps
