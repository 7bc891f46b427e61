// A modeless dialog docked as a bar; commands reaching it go to its frame first.
#pragma once

#include "vantrel/framework/dialog.h"

class DialogBar : public Dialog {
public:
    using Dialog::Dialog;
    // Creates the bar from its template as a child of `frame` with control id `id`.
    bool Create(HWND frame, int id);

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
