#include "vantrel/app/vantrel_app.h"

#include <commctrl.h>

#include "vantrel/app/app_info.h"
#include "vantrel/app/settings.h"
#include "vantrel/framework/program_folder.h"
#include "vantrel/shell/main_frame.h"

namespace {

constexpr wchar_t kAppName[] = L"Vantrel";

// The top-level dialog that holds `hwnd`, if any: keyboard navigation of
// the modeless panels and the bar goes through it.
HWND OwningDialog(HWND hwnd) {
    HWND dialog = nullptr;
    wchar_t className[16];
    for (HWND w = hwnd; w != nullptr; w = GetParent(w)) {
        if (GetClassNameW(w, className, 16) && wcscmp(className, L"#32770") == 0) dialog = w;
    }
    return dialog;
}

}  // namespace

CVantrelApp::CVantrelApp() = default;

CVantrelApp::~CVantrelApp() {
    if (mutex_ != nullptr) CloseHandle(mutex_);
}

bool CVantrelApp::InitInstance() {
    mutex_ = CreateMutexW(nullptr, TRUE, kAppName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) return false;
    ownsSettings_ = true;

    LoadLibraryW(L"riched20.dll");
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                        ICC_INTERNET_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    LoadSettings(settings_);

    const std::wstring folder = ProgramFolder();
    if (!module_.Load((folder + L"\\Kelvar.dll").c_str(), reader_)) {
        MessageBoxW(nullptr, L"Load Kelvar.dll failed !", kAppName, MB_OK);
        return false;
    }

    frame_ = std::make_unique<CMainFrame>(settings_, reader_, connection_,
                                          ReadAppInfo(kAppSoftwareName), folder);
    frame_->SetAboutTexts([] { return ReadAboutTexts(AppConfigPath()); });
    if (!frame_->Create()) return false;
    frame_->Show(SW_SHOWMAXIMIZED);
    frame_->ApplyCardType(settings_.curCard);
    frame_->View().ShowCardPanel(settings_.curCard);
    frame_->Update();
    frame_->StartupConnect();
    return true;
}

int CVantrelApp::Run() {
    MSG msg;
    bool idleWork = true;
    while (true) {
        // Idle work in slices, each done only while no message waits.
        if (idleWork && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            idleWork = frame_ && frame_->IsValid() && frame_->View().OnIdle();
            continue;
        }
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
        HWND dialog = OwningDialog(msg.hwnd);
        if (dialog != nullptr && IsDialogMessageW(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    exitCode_ = static_cast<int>(msg.wParam);
    return exitCode_;
}

int CVantrelApp::ExitInstance() {
    if (frame_ && frame_->IsValid()) frame_->Destroy();
    frame_.reset();
    module_.Unload();
    if (ownsSettings_) SaveSettings(settings_);
    return exitCode_;
}
