#include "vantrel/shell/about_dialog.h"

#include "vantrel/resources/resource.h"

CAboutDialog::CAboutDialog(AboutTexts texts) : Dialog(IDD_ABOUTBOX), texts_(std::move(texts)) {}

BOOL CAboutDialog::OnInitDialog() {
    SetText(texts_.title);
    SetDlgItemTextW(hwnd_, IDC_ABOUT_VERSION, texts_.version.c_str());
    SetDlgItemTextW(hwnd_, IDC_ABOUT_MAKER, texts_.maker.c_str());
    SetDlgItemTextW(hwnd_, IDC_ABOUT_HTTP, texts_.http.c_str());
    SetDlgItemTextW(hwnd_, IDC_ABOUT_COPYRIGHT, texts_.copyright.c_str());
    return TRUE;
}
