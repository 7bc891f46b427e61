#include "support/cos_dialog_driver.h"

#include "vantrel/resources/cos_command_ids.h"

namespace {

std::function<void(HWND)> pendingAction;
int ticksLeft = 0;

void CALLBACK OnTick(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowW(L"#32770", L"COS Command");
    if (dialog == nullptr && --ticksLeft > 0) return;
    KillTimer(nullptr, timer);
    if (dialog == nullptr) return;
    auto act = std::move(pendingAction);
    pendingAction = nullptr;
    if (act) act(dialog);
    if (IsWindow(dialog) && IsWindowVisible(dialog)) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_COS_EXIT, BN_CLICKED), 0);
    }
}

}  // namespace

void WhenCosDialogOpens(std::function<void(HWND dialog)> act) {
    pendingAction = std::move(act);
    ticksLeft = 200;
    SetTimer(nullptr, 0, 10, OnTick);
}

POINT ListItemCentre(HWND dialog, int index) {
    RECT item{};
    SendDlgItemMessageW(dialog, IDC_COS_HISTORY, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    return POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

void DoubleClickList(HWND dialog, POINT point) {
    SendDlgItemMessageW(dialog, IDC_COS_HISTORY, WM_LBUTTONDBLCLK, MK_LBUTTON,
                        MAKELPARAM(point.x, point.y));
}
