#include "vantrel/shell/status_bar_dialog.h"

#include <cwchar>

#include "vantrel/framework/gdi.h"
#include "vantrel/resources/resource.h"
#include "vantrel/shell/card_registry.h"
#include "vantrel/toolkit/ui_text.h"

namespace {

constexpr COLORREF kValueColour = RGB(255, 0, 0);
constexpr COLORREF kSeparatorColour = RGB(145, 145, 145);

bool IsValueField(int id) {
    return id == IDC_BAR_ADDRESS || id == IDC_BAR_PORT || id == IDC_BAR_CARD || id == IDC_BAR_MEMO;
}

}  // namespace

StatusBarDialog::StatusBarDialog() : WithMessageMap(IDD_DIALOG_BAR) {}

std::span<const MessageEntry<StatusBarDialog>> StatusBarDialog::Messages() {
    static const MessageEntry<StatusBarDialog> map[] = {
        OnMessage(WM_PAINT, &StatusBarDialog::OnPaint),
        OnMessage(WM_CTLCOLORSTATIC, &StatusBarDialog::OnCtlColorStatic),
        OnMessage(WM_MOUSEMOVE, &StatusBarDialog::OnMouseMove),
    };
    return map;
}

void StatusBarDialog::ShowAddress(const ReaderConnection& connection) {
    wchar_t text[32];
    swprintf(text, std::size(text), L"%d.%d.%d.%d", connection.address[0], connection.address[1],
             connection.address[2], connection.address[3]);
    Window(Item(IDC_BAR_ADDRESS)).SetText(text);
}

void StatusBarDialog::ShowPort(const ReaderConnection& connection) {
    Window(Item(IDC_BAR_PORT)).SetText(std::to_wstring(connection.port));
}

void StatusBarDialog::ShowCardName(int32_t code) {
    Window(Item(IDC_BAR_CARD)).SetText(CardName(code));
}

void StatusBarDialog::ShowStatus(const std::wstring& text) {
    // The same text again would only repaint the field.
    Window(Item(IDC_BAR_MEMO)).SetTextIfChanged(text);
    ShowStatusHint(L"");
}

void StatusBarDialog::ShowStatusHint(const std::wstring& hint) {
    statusHint_ = hint;
    hint_.Clear();
}

// The field is a static without notifications: the pointer over it is the bar's.
LRESULT StatusBarDialog::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    RECT field{};
    GetWindowRect(Item(IDC_BAR_MEMO), &field);
    MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&field), 2);
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    hint_.Relay(hwnd_, WM_MOUSEMOVE, wParam, lParam, PtInRect(&field, point) ? statusHint_ : L"");
    return 0;
}

void StatusBarDialog::SetLabels() {
    constexpr int kLabels[] = {IDC_BAR_ADDRESS_LABEL, IDC_BAR_PORT_LABEL, IDC_BAR_CARD_LABEL,
                               IDC_BAR_MEMO_LABEL};
    for (int i = 0; i < 4; ++i) Window(Item(kLabels[i])).SetText(UiText(kDialogBarLabels, i));
    labelsSet_ = true;
}

LRESULT StatusBarDialog::OnPaint(WPARAM, LPARAM) {
    if (!labelsSet_) SetLabels();
    ScopedPaint dc(hwnd_);
    const RECT client = ClientRect();
    ScopedPen grey(CreatePen(PS_SOLID, 1, kSeparatorColour));
    ScopedPen white(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    {
        ScopedSelectObject select(dc, grey);
        MoveToEx(dc, client.left + 4, 0, nullptr);
        LineTo(dc, client.right - 4, 0);
    }
    ScopedSelectObject select(dc, white);
    MoveToEx(dc, client.left + 4, 1, nullptr);
    LineTo(dc, client.right - 4, 1);
    return 0;
}

LRESULT StatusBarDialog::OnCtlColorStatic(WPARAM wParam, LPARAM lParam) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsValueField(id) ? kValueColour : RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}
