// A T=CL panel over a scripted reader, with a program folder of its own so
// that its history file starts as the test writes it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "support/panel_harness.h"
#include "vantrel/panels/iso14443a/tcl_panel.h"

class TclHarness {
public:
    explicit TclHarness(int32_t code, const std::string& history = {});
    ~TclHarness();

    // Destroys the panel window, which saves the history.
    void Close();
    std::filesystem::path HistoryFile() const { return folder_ / "cosbooks.txt"; }
    std::string HistoryContent() const;

    HWND Item(int id) const { return GetDlgItem(*panel, id); }
    std::wstring Text(int id) const { return Window(Item(id)).Text(); }
    void SetText(int id, const std::wstring& text) { SetDlgItemTextW(*panel, id, text.c_str()); }
    void Click(int id) {
        SendMessageW(Item(id), BM_CLICK, 0, 0);
        PumpMessages();
    }
    bool Shown(int id) const { return IsWindowVisible(Item(id)) != FALSE; }

    ScriptedReader script;
    FakeServices services;
    ReaderConnection connection;
    PanelContext context;
    std::unique_ptr<CTclPanel> panel;

private:
    std::filesystem::path folder_;
};

// Runs `act` on the COS command dialog once it is open (from inside its modal
// loop); a dialog still open afterwards is closed.
void WhenCosDialogOpens(std::function<void(HWND dialog)> act);
// Sends a double-click at `point` of the dialog's list.
void DoubleClickList(HWND dialog, POINT point);
// The middle of item `index` of the dialog's list.
POINT ListItemCentre(HWND dialog, int index);
