// A T=CL panel over a scripted reader, with a program folder of its own so
// that its history file starts as the test writes it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "support/history_harness.h"
#include "vantrel/panels/iso14443a/tcl_panel.h"

class TclHarness : public HistoryHarness<CTclPanel> {
public:
    explicit TclHarness(int32_t code, const std::string& history = {})
        : HistoryHarness("cosbooks.txt", history, code) {}

    bool Shown(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
};

// Runs `act` on the COS command dialog once it is open (from inside its modal
// loop); a dialog still open afterwards is closed.
void WhenCosDialogOpens(std::function<void(HWND dialog)> act);
// Sends a double-click at `point` of the dialog's list.
void DoubleClickList(HWND dialog, POINT point);
// The middle of item `index` of the dialog's list.
POINT ListItemCentre(HWND dialog, int index);
