// What Wine alone spends on a panel's dialog template: created with a dialog
// procedure that does nothing, shown and painted, then destroyed. A switch
// from panel A to panel B cannot be quicker than A's template destroyed and
// B's created and painted.
#pragma once

#include <windows.h>

#include <cstdint>

struct TemplateCost {
    double createMs = 0;   // created, shown and painted
    double destroyMs = 0;
    int controls = 0;      // the template's own controls
};

// A visible stand-in for the view, as large as `area` (screen coordinates).
class TemplateStage {
public:
    explicit TemplateStage(const RECT& area);
    ~TemplateStage();
    TemplateStage(const TemplateStage&) = delete;
    TemplateStage& operator=(const TemplateStage&) = delete;

    // `code` names the card type in the marks for tools/count-requests.
    TemplateCost Time(int templateId, int32_t code) const;

private:
    HWND hwnd_ = nullptr;
};
