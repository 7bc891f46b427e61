#include "vantrel/toolkit/cos_command_dialog.h"

#include <string>

#include "vantrel/resources/cos_command_ids.h"
#include "vantrel/toolkit/ui_text.h"

namespace {

constexpr int kItemHeight = 18;

// History entries are 8-bit text; each byte shows as its own character.
std::wstring Widen(const std::string& text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (const char c : text) wide.push_back(static_cast<unsigned char>(c));
    return wide;
}

}  // namespace

CCosCommandDialog::CCosCommandDialog(CommandHistory& history, HWND panel)
    : WithMessageMap(IDD_COS_COMMAND), history_(history), panel_(panel) {}

std::span<const MessageEntry<CCosCommandDialog>> CCosCommandDialog::Messages() {
    using D = CCosCommandDialog;
    static const MessageEntry<D> map[] = {
        OnCommand(IDC_COS_CLEAR, &D::OnClear),
        OnCommand(IDC_COS_EXIT, &D::OnExit),
        OnMessage(kAnswerItemPicked, &D::OnItemPicked),
    };
    return map;
}

BOOL CCosCommandDialog::OnInitDialog() {
    list_.Subclass(hwnd_, IDC_COS_HISTORY);
    list_.SetItemHeight(kItemHeight);
    for (std::size_t i = 0; i < history_.Count(); ++i) list_.Append(Widen(history_.Get(i)));
    SetDlgItemTextW(hwnd_, IDC_COS_CLEAR, UiText(kCosDialogCaptions, kCosTextClear));
    SetDlgItemTextW(hwnd_, IDC_COS_EXIT, UiText(kCosDialogCaptions, kCosTextExit));
    SetText(UiText(kCosDialogCaptions, kCosTextCaption));
    return TRUE;
}

void CCosCommandDialog::OnClear() {
    history_.Clear();
    list_.Clear();
}

LRESULT CCosCommandDialog::OnItemPicked(WPARAM wParam, LPARAM lParam) {
    SendMessageW(panel_, kCommandPicked, wParam, lParam);
    Close();
    return 0;
}

void CCosCommandDialog::Close() {
    if (IsModal()) {
        EndDialog(IDCANCEL);
    } else {
        Destroy();
    }
}
