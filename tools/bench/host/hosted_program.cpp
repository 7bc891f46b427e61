#include "tools/bench/host/hosted_program.h"

#include <commctrl.h>
#include <richedit.h>

#include <cwchar>
#include <iterator>
#include <string_view>

#include "vantrel/framework/program_folder.h"
#include "vantrel/resources/resource.h"

void CountingFrame::Wait(DWORD milliseconds) {
    waited += milliseconds;
    const double start = NowMs();
    CMainFrame::Wait(milliseconds);
    sleptMs += NowMs() - start;
}

int CountingFrame::ShowMessageBox(HWND, const std::wstring& text, const std::wstring&, UINT) {
    boxes.push_back(text);
    return IDOK;
}

void CountingFrame::ClearLog() {
    const double start = NowMs();
    CMainFrame::ClearLog();
    reportingMs += NowMs() - start;
}

void CountingFrame::AddLogLine(const std::wstring& functionName, int32_t status) {
    const double start = NowMs();
    CMainFrame::AddLogLine(functionName, status);
    reportingMs += NowMs() - start;
}

// A command's log lines are drawn here, when it ends.
void CountingFrame::EndReports() {
    const double start = NowMs();
    CMainFrame::EndReports();
    reportingMs += NowMs() - start;
}

void CountingFrame::ShowStatus(const std::wstring& text) {
    const double start = NowMs();
    CMainFrame::ShowStatus(text);
    reportingMs += NowMs() - start;
}

HostedProgram::~HostedProgram() {
    if (frame_ && frame_->IsValid()) frame_->Destroy();
    PumpUntilIdle();
    frame_.reset();
    module_.Unload();
}

bool HostedProgram::Start(int32_t card) {
    if (!cards_.Ready()) return false;
    LoadLibraryW(L"riched20.dll");
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                        ICC_INTERNET_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const std::wstring folder = ProgramFolder();
    if (!module_.Load((folder + L"\\Kelvar.dll").c_str(), reader_)) return false;

    settings_.curCard = card;
    frame_ = std::make_unique<CountingFrame>(settings_, reader_, connection_, L"Ketra", folder);
    if (!frame_->Create()) return false;
    frame_->Show(SW_SHOWMAXIMIZED);
    frame_->ApplyCardType(settings_.curCard);
    frame_->View().ShowCardPanel(settings_.curCard);
    frame_->Update();
    frame_->StartupConnect();
    PumpUntilIdle();
    // The program's idle work, done before the operator's first command.
    while (frame_->View().OnIdle()) PumpUntilIdle();
    shown_ = card;
    return connection_.open;
}

void BenchMark(const char* stage, int32_t code, const char* step, int32_t from) {
    char text[96];
    if (from >= 0) {
        wsprintfA(text, "vantrel-bench: %s %d %s %d\n", stage, static_cast<int>(code), step, static_cast<int>(from));
    } else {
        wsprintfA(text, "vantrel-bench: %s %d %s\n", stage, static_cast<int>(code), step);
    }
    OutputDebugStringA(text);
}

double HostedProgram::Select(const CardTypeRow& row) {
    BenchMark("switch", row.code, "begin", shown_);
    const double start = NowMs();
    frame_->Send(WM_COMMAND, MAKEWPARAM(row.menuId, 0), 0);
    const double handled = NowMs() - start;
    BenchMark("switch", row.code, "handled");
    PumpUntilIdle();
    BenchMark("switch", row.code, "end");
    shown_ = row.code;
    return handled;
}

void HostedProgram::PumpUntilIdle() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

namespace {

// The last line of a list box, or the text of any other control.
std::wstring ShownText(HWND control) {
    wchar_t className[32] = {};
    GetClassNameW(control, className, static_cast<int>(std::size(className)));
    if (_wcsicmp(className, L"ListBox") != 0) return Window(control).Text();
    const LRESULT count = SendMessageW(control, LB_GETCOUNT, 0, 0);
    if (count <= 0) return {};
    const LRESULT length = SendMessageW(control, LB_GETTEXTLEN, static_cast<WPARAM>(count - 1), 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(control, LB_GETTEXT, static_cast<WPARAM>(count - 1),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

// "*tail", "head*", "*" (anything but nothing) or the whole text.
bool Matches(std::wstring_view text, std::wstring_view pattern) {
    if (pattern == L"*") return !text.empty();
    if (pattern.starts_with(L'*')) return text.ends_with(pattern.substr(1));
    if (pattern.ends_with(L'*')) return text.starts_with(pattern.substr(0, pattern.size() - 1));
    return text == pattern;
}

// Types hex digits into a hex page editor as the keyboard would, from
// character `at` of the page it shows.
void TypeDigits(HWND editor, int at, const wchar_t* digits) {
    SetFocus(editor);
    CHARRANGE range{at, at};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    for (const wchar_t* c = digits; *c != L'\0'; ++c) {
        const UINT key = static_cast<UINT>(*c >= L'a' ? *c - (L'a' - L'A') : *c);
        SendMessageW(editor, WM_KEYDOWN, key, 1);
        SendMessageW(editor, WM_CHAR, *c, 1);
        SendMessageW(editor, WM_KEYUP, key, 0xC0000001);
    }
}

}  // namespace

CommandRun HostedProgram::Run(const PanelCommand& command) {
    CommandRun run;
    CardPanelBase* panel = frame_->View().CurrentPanel();
    if (panel == nullptr || command.steps.empty()) {
        run.found = false;
        return run;
    }
    std::size_t measured = command.steps.size();
    for (std::size_t i = 0; i < command.steps.size(); ++i) {
        if (command.steps[i].kind == CommandStep::Kind::Press) measured = i;
    }
    frame_->boxes.clear();
    for (std::size_t i = 0; i < command.steps.size(); ++i) {
        const CommandStep& step = command.steps[i];
        HWND control = panel->Item(step.id);
        if (control == nullptr) {
            run.found = false;
            return run;
        }
        switch (step.kind) {
        case CommandStep::Kind::SetText:
            SetWindowTextW(control, step.text);
            break;
        case CommandStep::Kind::Pick: {
            const LRESULT index = SendMessageW(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(step.text));
            if (index == CB_ERR) {
                run.found = false;
                return run;
            }
            SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
            panel->Send(WM_COMMAND, MAKEWPARAM(step.id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
            break;
        }
        case CommandStep::Kind::Address: {
            unsigned a = 0, b = 0, c = 0, d = 0;
            if (swscanf(step.text, L"%u.%u.%u.%u", &a, &b, &c, &d) != 4) {
                run.found = false;
                return run;
            }
            SendMessageW(control, IPM_SETADDRESS, 0, MAKEIPADDRESS(a, b, c, d));
            break;
        }
        case CommandStep::Kind::Choose:
            SendMessageW(control, BM_CLICK, 0, 0);
            if (SendMessageW(control, BM_GETCHECK, 0, 0) != BST_CHECKED) {
                run.found = false;
                return run;
            }
            break;
        case CommandStep::Kind::Type:
            TypeDigits(control, step.at, step.text);
            break;
        case CommandStep::Kind::Press: {
            frame_->waited = 0;
            frame_->sleptMs = 0;
            frame_->reportingMs = 0;
            const double start = NowMs();
            panel->Send(WM_COMMAND, MAKEWPARAM(step.id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
            if (i == measured) {
                run.ms = NowMs() - start;
                run.waitedMs = frame_->waited;
                run.sleptMs = frame_->sleptMs;
                run.reportingMs = frame_->reportingMs;
            }
            break;
        }
        case CommandStep::Kind::Expect: {
            const std::wstring shown = ShownText(control);
            if (run.unlike.empty() && !Matches(shown, step.text)) {
                run.unlike = L"shows \"" + shown + L"\" where " + step.text + L" was expected";
            }
            break;
        }
        }
        PumpUntilIdle();
    }
    run.status = Window(frame_->Bar()->Item(IDC_BAR_MEMO)).Text();
    run.boxes = frame_->boxes;
    return run;
}
