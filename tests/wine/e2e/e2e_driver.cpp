#include "e2e/e2e_driver.h"

#include <commctrl.h>

#include "vantrel/app/settings.h"
#include "vantrel/resources/resource.h"

namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kCommandTimeoutMs = 20000;
constexpr DWORD kCloseTimeoutMs = 20000;
constexpr DWORD kPollMs = 20;
constexpr int kTextCapacity = 4096;

constexpr wchar_t kMainClass[] = L"VantrelMainFrame";
constexpr wchar_t kSplashClass[] = L"VantrelSplash";
constexpr wchar_t kViewClass[] = L"VantrelView";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr int kMessageBoxTextId = 0xFFFF;
// Ids no control of the dialog bar has.
constexpr WORD kMarkerBefore = 0x7E01;
constexpr WORD kMarkerAfter = 0x7E02;

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

std::wstring ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"Vantrel.exe";
}

struct ClassSearch {
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindByClass(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<ClassSearch*>(lParam);
    if (ClassOf(hwnd) != search->className) return TRUE;
    search->found = hwnd;
    return FALSE;
}

struct ControlSearch {
    int id;
    HWND found;
};

// A control of the panel: its parent is the panel, the panel a child of the view.
BOOL CALLBACK FindPanelControl(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<ControlSearch*>(lParam);
    if (GetDlgCtrlID(hwnd) != search->id) return TRUE;
    HWND panel = GetParent(hwnd);
    if (panel == nullptr || ClassOf(GetParent(panel)) != kViewClass) return TRUE;
    search->found = hwnd;
    return FALSE;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

// A buffer in another process's memory, for messages whose pointer the
// system does not marshal.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, SIZE_T size)
        : process_(process),
          address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    ~RemoteBuffer() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Valid() const { return address_ != nullptr; }
    LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
    bool Write(const void* data, SIZE_T size) {
        return WriteProcessMemory(process_, address_, data, size, nullptr) != FALSE;
    }
    bool Read(void* data, SIZE_T size) const {
        return ReadProcessMemory(process_, address_, data, size, nullptr) != FALSE;
    }

private:
    HANDLE process_;
    void* address_;
};

}  // namespace

VantrelProgram::~VantrelProgram() {
    if (started_ && IsRunning()) Close();
    End();
}

bool VantrelProgram::Start(std::optional<int32_t> cardCode) {
    if (started_ || FindWindowW(kMainClass, nullptr) != nullptr) return false;
    if (cardCode) {
        ProgramSettings settings;
        LoadSettings(settings);
        settings.curCard = *cardCode;
        SaveSettings(settings);
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + ProgramPath() + L"\"";
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
        return false;
    }
    started_ = true;
    boxes_.clear();
    answered_.clear();
    return WaitUntilReady();
}

// The main window shows before the start-up connection; the program is
// ready once the splash of that connection is gone and it reads messages.
bool VantrelProgram::WaitUntilReady() {
    const ULONGLONG deadline = GetTickCount64() + kStartTimeoutMs;
    WaitForInputIdle(process_.hProcess, kStartTimeoutMs);
    while (GetTickCount64() < deadline && IsRunning()) {
        AnswerMessageBoxes();
        if (MainWindow() != nullptr && OwnWindow(kSplashClass) == nullptr) {
            return SendDirect(MainWindow(), WM_NULL, 0, 0);
        }
        Sleep(kPollMs);
    }
    return false;
}

bool VantrelProgram::Close() {
    if (!started_) return false;
    HWND main = MainWindow();
    if (main != nullptr) PostMessageW(main, WM_CLOSE, 0, 0);
    const ULONGLONG deadline = GetTickCount64() + kCloseTimeoutMs;
    while (IsRunning() && GetTickCount64() < deadline) {
        AnswerMessageBoxes();
        WaitForSingleObject(process_.hProcess, kPollMs);
    }
    if (IsRunning()) return false;
    DWORD code = 1;
    GetExitCodeProcess(process_.hProcess, &code);
    End();
    return code == 0;
}

void VantrelProgram::End() {
    if (!started_) return;
    if (IsRunning()) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, kCloseTimeoutMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = {};
    started_ = false;
}

bool VantrelProgram::IsRunning() const {
    return started_ && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND VantrelProgram::OwnWindow(const wchar_t* className) const {
    if (!started_) return nullptr;
    ClassSearch search{className, nullptr};
    EnumThreadWindows(process_.dwThreadId, FindByClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND VantrelProgram::MainWindow() const { return OwnWindow(kMainClass); }

bool VantrelProgram::Menu(unsigned commandId) {
    return PostAndWait(MainWindow(), WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

HWND VantrelProgram::Control(int id) const {
    HWND main = MainWindow();
    if (main == nullptr) return nullptr;
    ControlSearch search{id, nullptr};
    EnumChildWindows(main, FindPanelControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool VantrelProgram::Click(int id) { return PostAndWait(Control(id), BM_CLICK, 0, 0); }

bool VantrelProgram::SetText(int id, const std::wstring& text) {
    LRESULT result = FALSE;
    return SendDirect(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &result) &&
           result != FALSE;
}

std::wstring VantrelProgram::Text(int id) const {
    HWND control = Control(id);
    if (control == nullptr) return L"<no control " + std::to_wstring(id) + L">";
    wchar_t text[kTextCapacity] = {};
    SendDirect(control, WM_GETTEXT, kTextCapacity, reinterpret_cast<LPARAM>(text));
    return text;
}

bool VantrelProgram::Select(int id, int index) {
    HWND list = Control(id);
    LRESULT selected = CB_ERR;
    if (!SendDirect(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0, &selected) || selected != index) {
        return false;
    }
    return PostAndWait(GetParent(list), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
}

bool VantrelProgram::Type(int id, int at, const std::wstring& text) {
    HWND control = Control(id);
    if (!SendDirect(control, EM_SETSEL, at < 0 ? 0 : at, at)) return false;
    for (const wchar_t c : text) {
        if (!PostAndWait(control, WM_CHAR, c, 1)) return false;
    }
    return true;
}

std::vector<std::wstring> VantrelProgram::ListTexts(int id) const {
    HWND list = Control(id);
    LRESULT count = 0;
    std::vector<std::wstring> items;
    if (!SendDirect(list, LB_GETCOUNT, 0, 0, &count)) return items;
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = 0;
        if (!SendDirect(list, LB_GETTEXTLEN, i, 0, &length) || length < 0 || length >= kTextCapacity) break;
        // The system carries the text of a list box with strings across processes.
        wchar_t text[kTextCapacity] = {};
        if (!SendDirect(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text))) break;
        items.emplace_back(text, static_cast<size_t>(length));
    }
    return items;
}

bool VantrelProgram::IsChecked(int id) const {
    LRESULT state = BST_UNCHECKED;
    return SendDirect(Control(id), BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
}

bool VantrelProgram::SetAddress(int id, BYTE a, BYTE b, BYTE c, BYTE d) {
    return SendDirect(Control(id), IPM_SETADDRESS, 0, MAKEIPADDRESS(a, b, c, d));
}

bool VantrelProgram::SetPickerTime(int id, const SYSTEMTIME& time) {
    RemoteBuffer buffer(process_.hProcess, sizeof(time));
    LRESULT result = FALSE;
    return buffer.Valid() && buffer.Write(&time, sizeof(time)) &&
           SendDirect(Control(id), DTM_SETSYSTEMTIME, GDT_VALID, buffer.Address(), &result) &&
           result != FALSE;
}

std::optional<SYSTEMTIME> VantrelProgram::PickerTime(int id) const {
    RemoteBuffer buffer(process_.hProcess, sizeof(SYSTEMTIME));
    LRESULT result = GDT_ERROR;
    SYSTEMTIME time{};
    if (!buffer.Valid() || !SendDirect(Control(id), DTM_GETSYSTEMTIME, 0, buffer.Address(), &result) ||
        result != GDT_VALID || !buffer.Read(&time, sizeof(time))) {
        return std::nullopt;
    }
    return time;
}

std::wstring VantrelProgram::BarText(int id) const {
    HWND bar = GetDlgItem(MainWindow(), IDD_DIALOG_BAR);
    HWND control = bar != nullptr ? GetDlgItem(bar, id) : nullptr;
    if (control == nullptr) return L"<no bar control " + std::to_wstring(id) + L">";
    wchar_t text[kTextCapacity] = {};
    SendDirect(control, WM_GETTEXT, kTextCapacity, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring VantrelProgram::Status() const { return BarText(IDC_BAR_MEMO); }

bool VantrelProgram::StatusReports(const std::wstring& prefix, const std::wstring& function) const {
    const std::wstring status = Status();
    return status.starts_with(prefix) && status.find(function) != std::wstring::npos;
}

HWND VantrelProgram::StatusField() const {
    HWND bar = GetDlgItem(MainWindow(), IDD_DIALOG_BAR);
    return bar != nullptr ? GetDlgItem(bar, IDC_BAR_MEMO) : nullptr;
}

bool VantrelProgram::ClearStatus() {
    return SendDirect(StatusField(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
}

// Input is posted, as the system delivers it: a crash in a handler of a
// message sent from another process would not end the program. A marker
// posted behind it comes through once the handler has returned, or while a
// message box runs its own loop; then the box is answered and the wait goes
// on. The marker is the dialog bar's default button id, which the bar does
// not use; it is put back afterwards.
bool VantrelProgram::PostAndWait(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND bar = GetDlgItem(MainWindow(), IDD_DIALOG_BAR);
    LRESULT original = 0;
    if (target == nullptr || bar == nullptr || !SendDirect(bar, DM_GETDEFID, 0, 0, &original) ||
        !SendDirect(bar, DM_SETDEFID, kMarkerBefore, 0) || !PostMessageW(target, message, wParam, lParam)) {
        return false;
    }
    const ULONGLONG deadline = GetTickCount64() + kCommandTimeoutMs;
    bool handled = false;
    while (!handled) {
        if (!PostMessageW(bar, DM_SETDEFID, kMarkerAfter, 0)) return false;
        LRESULT current = 0;
        while (LOWORD(current) != kMarkerAfter) {
            if (GetTickCount64() > deadline || !SendDirect(bar, DM_GETDEFID, 0, 0, &current)) return false;
        }
        handled = !AnswerMessageBoxes();
        if (!SendDirect(bar, DM_SETDEFID, kMarkerBefore, 0)) return false;
    }
    const WORD originalId = HIWORD(original) == DC_HASDEFID ? LOWORD(original) : 0;
    return SendDirect(bar, DM_SETDEFID, originalId, 0);
}

bool VantrelProgram::SendDirect(HWND target, UINT message, WPARAM wParam, LPARAM lParam,
                                LRESULT* result) const {
    if (target == nullptr) return false;
    DWORD_PTR answer = 0;
    const bool sent = SendMessageTimeoutW(target, message, wParam, lParam, SMTO_NORMAL,
                                          kCommandTimeoutMs, &answer) != 0;
    if (result != nullptr) *result = static_cast<LRESULT>(answer);
    return sent;
}

// Top-level dialogs of the program's thread are its message boxes: the
// panels and the dialog bar are child dialogs. A box may not show yet while
// its loop starts.
bool VantrelProgram::AnswerMessageBoxes() {
    if (!started_) return false;
    std::vector<HWND> windows;
    EnumThreadWindows(process_.dwThreadId, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    bool found = false;
    for (HWND window : windows) {
        if (ClassOf(window) != kDialogClass || (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0) {
            continue;
        }
        found = true;
        if (answered_.contains(window)) continue;
        wchar_t text[kTextCapacity] = {};
        GetDlgItemTextW(window, kMessageBoxTextId, text, kTextCapacity);
        boxes_.push_back(text);
        answered_.insert(window);
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    return found;
}
