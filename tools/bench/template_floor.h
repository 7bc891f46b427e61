// What Wine alone spends on a panel's dialog template: created with a dialog
// procedure that does nothing, shown and painted, then destroyed. A panel
// switch cannot be quicker than this for the same template.
#pragma once

#include <windows.h>

struct TemplateCost {
    double ms = 0;      // create, paint and destroy
    int controls = 0;   // the template's own controls
};

// A visible stand-in for the view, as large as `area` (screen coordinates).
class TemplateStage {
public:
    explicit TemplateStage(const RECT& area);
    ~TemplateStage();
    TemplateStage(const TemplateStage&) = delete;
    TemplateStage& operator=(const TemplateStage&) = delete;

    TemplateCost Time(int templateId) const;

private:
    HWND hwnd_ = nullptr;
};
