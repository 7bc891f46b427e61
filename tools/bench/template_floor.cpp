#include "tools/bench/template_floor.h"

#include "tools/bench/host/hosted_program.h"
#include "tools/bench/host/stopwatch.h"
#include "vantrel/framework/redraw_suspension.h"

namespace {

INT_PTR CALLBACK Inert(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

BOOL CALLBACK CountChild(HWND, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

}  // namespace

TemplateStage::TemplateStage(const RECT& area)
    : hwnd_(CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, area.left, area.top,
                            area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr)) {
    HostedProgram::PumpUntilIdle();
}

TemplateStage::~TemplateStage() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    HostedProgram::PumpUntilIdle();
}

TemplateCost TemplateStage::Time(int templateId, int32_t code) const {
    TemplateCost cost;
    if (hwnd_ == nullptr) return cost;
    // Created and shown with drawing suspended and painted once, as the
    // program's view does it.
    BenchMark("template", code, "create");
    const double start = NowMs();
    HWND dialog = nullptr;
    {
        const RedrawSuspension suspended(hwnd_);
        dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), hwnd_, Inert, 0);
        if (dialog == nullptr) return cost;
        ShowWindow(dialog, SW_SHOW);
    }
    HostedProgram::PumpUntilIdle();
    cost.createMs = NowMs() - start;
    BenchMark("template", code, "created");
    EnumChildWindows(dialog, CountChild, reinterpret_cast<LPARAM>(&cost.controls));
    BenchMark("template", code, "destroy");
    const double counted = NowMs();
    {
        const RedrawSuspension suspended(hwnd_);
        DestroyWindow(dialog);
    }
    HostedProgram::PumpUntilIdle();
    cost.destroyMs = NowMs() - counted;
    BenchMark("template", code, "destroyed");
    return cost;
}
