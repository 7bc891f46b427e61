#include "vantrel/shell/background_dialog.h"

#include "vantrel/framework/gdi.h"
#include "vantrel/resources/resource.h"
#include "vantrel/toolkit/ui_text.h"

namespace {

constexpr int kPreviewInset = 3;

}  // namespace

CBackgroundDialog::CBackgroundDialog(int32_t current, const std::wstring& programFolder)
    : WithMessageMap(IDD_BACKGROUND), library_(SkinLibraryPath(programFolder)), selected_(current) {}

std::span<const MessageEntry<CBackgroundDialog>> CBackgroundDialog::Messages() {
    static const MessageEntry<CBackgroundDialog> map[] = {
        OnCommand(IDC_BACKGROUND_LIST, &CBackgroundDialog::OnSelectionChange, LBN_SELCHANGE),
        OnMessage(WM_PAINT, &CBackgroundDialog::OnPaint),
    };
    return map;
}

BOOL CBackgroundDialog::OnInitDialog() {
    HWND list = Item(IDC_BACKGROUND_LIST);
    for (int32_t index = 0; index < kSkinCount; ++index) {
        const std::wstring text = FormatText(UiText(kBackgroundDialogTexts, kBackgroundTextItem), index + 1);
        const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (at >= 0) SendMessageW(list, LB_SETITEMDATA, at, index);
    }
    // The list sorts its items: find the current skin's by its data.
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int at = 0; at < count; ++at) {
        if (SendMessageW(list, LB_GETITEMDATA, at, 0) == selected_) SendMessageW(list, LB_SETCURSEL, at, 0);
    }
    preview_ = Skin::Load(library_, selected_);
    return TRUE;
}

void CBackgroundDialog::OnSelectionChange() {
    HWND list = Item(IDC_BACKGROUND_LIST);
    const LRESULT at = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (at == LB_ERR) return;
    const auto index = static_cast<int32_t>(SendMessageW(list, LB_GETITEMDATA, at, 0));
    if (index == selected_) return;
    selected_ = index;
    preview_ = Skin::Load(library_, selected_);
    const RECT area = PreviewArea();
    InvalidateRect(hwnd_, &area, TRUE);
}

RECT CBackgroundDialog::PreviewArea() const {
    RECT area = Window(Item(IDC_BACKGROUND_PREVIEW)).RectIn(hwnd_);
    InflateRect(&area, -kPreviewInset, -kPreviewInset);
    return area;
}

LRESULT CBackgroundDialog::OnPaint(WPARAM, LPARAM) {
    ScopedPaint paint(hwnd_);
    PaintSkinInside(paint, PreviewArea(), preview_);
    return 0;
}
