// The About box: the branding texts a deployment sets in its configuration.
#pragma once

#include <string>

#include "vantrel/framework/dialog.h"

struct AboutTexts {
    std::wstring title;
    std::wstring version;
    std::wstring maker;
    std::wstring http;
    std::wstring copyright;
};

class CAboutDialog : public Dialog {
public:
    explicit CAboutDialog(AboutTexts texts);

protected:
    BOOL OnInitDialog() override;

private:
    AboutTexts texts_;
};
