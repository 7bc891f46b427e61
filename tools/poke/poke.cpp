// Drives a running Vantrel from outside, for screenshots and end-to-end tests.
//   VantrelPoke wait              prints "ready" once the main window exists
//   VantrelPoke menu <id>         sends a menu command to the main window
//   VantrelPoke postmenu <id>     posts it: returns while a dialog it opens runs
//   VantrelPoke click <id>        clicks the panel's control <id>
//   VantrelPoke settext <id> <t>  sets the text of the panel's control <id>
//   VantrelPoke gettext <id>      prints the text of the panel's control <id>
//   VantrelPoke setaddress <id> <a.b.c.d>  sets the panel's IPv4 address control
//   VantrelPoke scroll <id>       moves the panel's scroll bar <id> one line down
//   VantrelPoke status            prints the dialog bar's status text
//   VantrelPoke title             prints the main window's title
//   VantrelPoke dlgsettext <id> <t>  sets the text of control <id> of the dialog the program shows
//   VantrelPoke dlgclick <id>     posts a click of that dialog's button <id>
//   VantrelPoke hoverlog <line>   rests the pointer on line <line> (from 0) of the result log
//   VantrelPoke hoveritem <id> <i>  rests the pointer on item <i> of the panel's list box <id>
//   VantrelPoke close             closes the main window
//   VantrelPoke version <file>    prints a file's version resource, one field a line
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HWND MainWindow() { return FindWindowW(L"VantrelMainFrame", nullptr); }

struct Search {
    int id;
    const wchar_t* parentClass;
    HWND found;
};

BOOL CALLBACK FindControl(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (GetDlgCtrlID(hwnd) != search->id) return TRUE;
    wchar_t cls[64] = {};
    HWND parent = GetParent(hwnd);
    HWND grand = parent ? GetParent(parent) : nullptr;
    GetClassNameW(grand, cls, 64);
    if (wcscmp(cls, search->parentClass) != 0) return TRUE;
    search->found = hwnd;
    return FALSE;
}

// A control of the current panel (a child of the panel, the panel a child of the view).
HWND PanelControl(int id) {
    Search search{id, L"VantrelView", nullptr};
    EnumChildWindows(MainWindow(), FindControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct DialogSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<DialogSearch*>(lParam);
    wchar_t cls[16] = {};
    GetClassNameW(hwnd, cls, 16);
    if (wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
    if (GetDlgItem(hwnd, search->id) == nullptr) return TRUE;
    search->found = hwnd;
    return FALSE;
}

// A control of the enabled dialog the program's window thread shows, waited
// for up to 5 s: a dialog opened by a posted command may not be there yet.
HWND DialogControl(HWND main, int id) {
    for (int tries = 0; tries < 50; ++tries) {
        DialogSearch search{id, nullptr};
        EnumThreadWindows(GetWindowThreadProcessId(main, nullptr), FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return GetDlgItem(search.found, id);
        Sleep(100);
    }
    return nullptr;
}

void Print(const std::wstring& text) {
    std::string utf8(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0,
                                                             nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), static_cast<int>(utf8.size()),
                        nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[1024] = {};
    SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

// The numeric file version and the US English strings of `file`'s VERSIONINFO.
int PrintVersion(const wchar_t* file) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file, &ignored);
    std::string block(size, '\0');
    if (size == 0 || !GetFileVersionInfoW(file, 0, size, block.data())) {
        std::fprintf(stderr, "poke: %ls has no version resource\n", file);
        return 1;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed != nullptr) {
        std::printf("FileVersionNumbers=%u.%u.%u.%u\n", HIWORD(fixed->dwFileVersionMS),
                    LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    }
    for (const wchar_t* name : {L"ProductName", L"ProductVersion", L"FileVersion", L"FileDescription",
                                L"CompanyName", L"LegalCopyright", L"OriginalFilename"}) {
        wchar_t* value = nullptr;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) && value) {
            Print(std::wstring(name) + L"=" + value);
        }
    }
    return 0;
}

// Puts the pointer on `point` of `window`, which then sees the mouse move there.
void RestPointer(HWND window, POINT point) {
    POINT screen = point;
    ClientToScreen(window, &screen);
    SetForegroundWindow(GetAncestor(window, GA_ROOT));
    SetCursorPos(screen.x, screen.y);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const std::wstring verb = argv[1];
    if (verb == L"version" && argc > 2) return PrintVersion(argv[2]);
    HWND main = MainWindow();
    if (verb == L"wait") {
        if (main != nullptr) std::printf("ready\n");
        return main != nullptr ? 0 : 1;
    }
    if (main == nullptr) {
        std::fprintf(stderr, "poke: Vantrel is not running\n");
        return 1;
    }
    const int id = argc > 2 ? _wtoi(argv[2]) : 0;
    if (verb == L"menu") {
        SendMessageW(main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    } else if (verb == L"postmenu") {
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    } else if (verb == L"click") {
        HWND control = PanelControl(id);
        if (control == nullptr) return 1;
        SendMessageW(control, BM_CLICK, 0, 0);
    } else if (verb == L"settext" && argc > 3) {
        HWND control = PanelControl(id);
        if (control == nullptr) return 1;
        SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
    } else if (verb == L"setaddress" && argc > 3) {
        HWND control = PanelControl(id);
        unsigned a = 0, b = 0, c = 0, d = 0;
        if (control == nullptr || swscanf(argv[3], L"%u.%u.%u.%u", &a, &b, &c, &d) != 4) return 1;
        SendMessageW(control, IPM_SETADDRESS, 0, MAKEIPADDRESS(a, b, c, d));
    } else if (verb == L"scroll") {
        HWND control = PanelControl(id);
        if (control == nullptr) return 1;
        SendMessageW(GetParent(control), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(control));
    } else if (verb == L"gettext") {
        HWND control = PanelControl(id);
        if (control == nullptr) return 1;
        Print(TextOf(control));
    } else if (verb == L"status") {
        Print(TextOf(GetDlgItem(GetDlgItem(main, 152), 1183)));
    } else if (verb == L"title") {
        Print(TextOf(main));
    } else if (verb == L"dlgsettext" && argc > 3) {
        HWND control = DialogControl(main, id);
        if (control == nullptr) return 1;
        SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
    } else if (verb == L"dlgclick") {
        HWND control = DialogControl(main, id);
        if (control == nullptr) return 1;
        PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    } else if (verb == L"hoverlog") {
        HWND log = FindWindowExW(GetDlgItem(main, 0xE900), nullptr, L"VantrelProcessView", nullptr);
        if (log == nullptr) log = FindWindowExW(main, nullptr, L"VantrelProcessView", nullptr);
        if (log == nullptr) return 1;
        constexpr int kLinePitch = 22;  // the log's line pitch
        RestPointer(log, POINT{60, id * kLinePitch + kLinePitch / 2});
    } else if (verb == L"hoveritem" && argc > 3) {
        HWND list = PanelControl(id);
        RECT item{};
        if (list == nullptr || SendMessageW(list, LB_GETITEMRECT, _wtoi(argv[3]), reinterpret_cast<LPARAM>(&item)) ==
                                   LB_ERR) {
            return 1;
        }
        RestPointer(list, POINT{item.left + 30, (item.top + item.bottom) / 2});
    } else if (verb == L"close") {
        PostMessageW(main, WM_CLOSE, 0, 0);
    } else {
        return 2;
    }
    return 0;
}
