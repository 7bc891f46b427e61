#include "vantrel/framework/dialog_bar.h"

bool DialogBar::Create(HWND frame, int id) {
    if (!CreateModeless(frame)) return false;
    SetWindowLongPtrW(hwnd_, GWLP_ID, id);
    return true;
}

bool DialogBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND && lParam != 0) {
        SendMessageW(Parent(), WM_COMMAND, wParam, lParam);
    }
    return Dialog::HandleMessage(message, wParam, lParam, result);
}
