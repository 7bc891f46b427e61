// Hosts one panel in a plain top-level window with a scripted reader and fake
// services, and lets a test act on its controls.
//
//   PanelHarness<CMifarePanel> h;           // connected by default
//   h.SetText(IDC_MF_KEY, L"FFFFFFFFFFFF");
//   h.Click(IDC_MF_READ);
//   EXPECT_EQ(h.services.status, L"OK");
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "support/fake_services.h"
#include "support/scripted_reader.h"
#include "vantrel/framework/window.h"
#include "vantrel/reader/reader_connection.h"
#include "vantrel/toolkit/panel_context.h"

// A visible top-level window to parent panels under test.
HWND TestHostWindow();

// Delivers what is waiting in the thread's message queue.
void PumpMessages();

template <typename Panel>
class PanelHarness {
public:
    template <typename... Extra>
    explicit PanelHarness(Extra&&... extra) : PanelHarness(Unopened{}) {
        Open(std::forward<Extra>(extra)...);
    }
    ~PanelHarness() {
        if (panel && panel->IsValid()) panel->Destroy();
    }

    HWND Item(int id) const { return GetDlgItem(*panel, id); }
    std::wstring Text(int id) const { return Window(Item(id)).Text(); }
    void SetText(int id, const std::wstring& text) { SetDlgItemTextW(*panel, id, text.c_str()); }
    void Click(int id) {
        SendMessageW(Item(id), BM_CLICK, 0, 0);
        PumpMessages();
    }
    bool IsChecked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool IsEnabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    // Types `text` into control `id` as WM_KEYDOWN / WM_CHAR / WM_KEYUP would.
    void Type(int id, const std::wstring& text);

    ScriptedReader script;
    FakeServices services;
    ReaderConnection connection;
    PanelContext context;
    std::unique_ptr<Panel> panel;

protected:
    // For harnesses that prepare the services before the panel opens.
    struct Unopened {};
    explicit PanelHarness(Unopened) : services(&script), context{script.library, connection, services} {
        connection.open = true;
    }
    template <typename... Extra>
    void Open(Extra&&... extra) {
        panel = std::make_unique<Panel>(context, std::forward<Extra>(extra)...);
        panel->CreateModeless(TestHostWindow());
        panel->Show(SW_SHOW);
        PumpMessages();
        script.ClearLog();
    }
};

void TypeInto(HWND control, const std::wstring& text);

template <typename Panel>
void PanelHarness<Panel>::Type(int id, const std::wstring& text) {
    TypeInto(Item(id), text);
}
