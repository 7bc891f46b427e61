#include "vantrel/dumps/progress_window.h"

#include <commctrl.h>

#include "vantrel/dumps/dump_ids.h"

namespace dumps {

ProgressWindow::ProgressWindow(HWND frame, std::wstring title, std::wstring verb)
    : WithMessageMap(IDD_DUMP_PROGRESS), frame_(frame), title_(std::move(title)), verb_(std::move(verb)),
      started_(GetTickCount()) {
    // A modal dialog's manners: the frame takes no input while the work runs.
    frameWasEnabled_ = frame_ != nullptr && IsWindowEnabled(frame_);
    if (frameWasEnabled_) EnableWindow(frame_, FALSE);
}

ProgressWindow::~ProgressWindow() {
    if (frameWasEnabled_) EnableWindow(frame_, TRUE);
    if (IsValid()) Destroy();
    if (frame_ != nullptr && frameWasEnabled_) SetActiveWindow(frame_);
    if (closeAsked_) PostMessageW(frame_, WM_CLOSE, 0, 0);
}

std::span<const MessageEntry<ProgressWindow>> ProgressWindow::Messages() {
    static const MessageEntry<ProgressWindow> map[] = {
        OnCommand(IDCANCEL, &ProgressWindow::OnCancel),
    };
    return map;
}

BOOL ProgressWindow::OnInitDialog() {
    SetText(title_);
    return TRUE;
}

void ProgressWindow::OnCancel() {
    cancelled_ = true;
    Window(Item(IDCANCEL)).Enable(false);
    Window(Item(IDC_DUMP_PROGRESS_TEXT)).SetText(L"Stopping...");
}

// The window is made only when it is to be seen: most dumps end sooner.
void ProgressWindow::ShowNow() {
    if (shown_ || !CreateModeless(frame_)) return;
    shown_ = true;
    Show(SW_SHOWNORMAL);
    Update();
}

bool ProgressWindow::Step(int done, int total, const std::wstring& what) {
    if (!shown_ && GetTickCount() - started_ >= kShowAfterMs) ShowNow();
    if (shown_ && !cancelled_) {
        const int position = total > 0 ? MulDiv(done, 1000, total) : 0;
        if (position != lastPosition_) {
            SendDlgItemMessageW(hwnd_, IDC_DUMP_PROGRESS_BAR, PBM_SETRANGE32, 0, 1000);
            SendDlgItemMessageW(hwnd_, IDC_DUMP_PROGRESS_BAR, PBM_SETPOS, position, 0);
            lastPosition_ = position;
        }
        const std::wstring text = verb_ + L' ' + what + L"...";
        if (text != lastText_) {
            Window(Item(IDC_DUMP_PROGRESS_TEXT)).SetText(text);
            lastText_ = text;
        }
    }
    Pump();
    return !cancelled_;
}

// The messages waiting now, and no more: painting, and the Cancel button.
void ProgressWindow::Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            cancelled_ = true;
            return;
        }
        // The frame closes once the work has stopped, not under it.
        if (message.message == WM_CLOSE && message.hwnd == frame_ && frame_ != nullptr) {
            closeAsked_ = true;
            OnCancel();
            continue;
        }
        if (shown_ && IsDialogMessageW(hwnd_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace dumps
