#include "tcl/tcl_harness.h"

#include <atomic>
#include <fstream>
#include <iterator>

#include "vantrel/resources/cos_command_ids.h"

namespace {

std::filesystem::path NewFolder() {
    static std::atomic<int> counter{0};
    auto folder = std::filesystem::temp_directory_path() /
                  ("vantrel-tcl-" + std::to_string(GetCurrentProcessId()) + "-" +
                   std::to_string(counter++));
    std::filesystem::remove_all(folder);  // left by an earlier run under the same process id
    std::filesystem::create_directories(folder);
    return folder;
}

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

TclHarness::TclHarness(int32_t code, const std::string& history)
    : services(&script), context{script.library, connection, services}, folder_(NewFolder()) {
    connection.open = true;
    services.folder = folder_.wstring();
    if (!history.empty()) std::ofstream(HistoryFile(), std::ios::binary) << history;
    panel = std::make_unique<CTclPanel>(context, code);
    panel->CreateModeless(TestHostWindow());
    panel->Show(SW_SHOW);
    PumpMessages();
    script.ClearLog();
}

TclHarness::~TclHarness() {
    Close();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void TclHarness::Close() {
    if (panel && panel->IsValid()) panel->Destroy();
    PumpMessages();
}

std::string TclHarness::HistoryContent() const {
    std::ifstream file(HistoryFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

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
