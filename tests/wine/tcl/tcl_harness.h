// A T=CL panel over a scripted reader, with a program folder of its own so
// that its history file starts as the test writes it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "support/cos_dialog_driver.h"
#include "support/history_harness.h"
#include "vantrel/panels/iso14443a/tcl_panel.h"

class TclHarness : public HistoryHarness<CTclPanel> {
public:
    explicit TclHarness(int32_t code, const std::string& history = {})
        : HistoryHarness("cosbooks.txt", history, code) {}

    bool Shown(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
};
