#include <windows.h>

#include "vantrel/app/vantrel_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CVantrelApp app;
    int code = 0;
    if (app.InitInstance()) code = app.Run();
    const int exitCode = app.ExitInstance();
    return code != 0 ? code : exitCode;
}
