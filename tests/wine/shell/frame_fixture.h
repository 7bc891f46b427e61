// A real main frame with a scripted reader, for tests of the shell.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/panel_harness.h"
#include "support/scripted_reader.h"
#include "vantrel/resources/resource.h"
#include "vantrel/shell/main_frame.h"

// The frame with its dialogs and the shell's open verb replaced by records.
class ScriptedFrame : public CMainFrame {
public:
    using CMainFrame::CMainFrame;

    std::optional<int32_t> backgroundChoice;  // none: the dialog is cancelled
    std::vector<int32_t> backgroundOffered;
    std::vector<std::wstring> opened;
    std::optional<std::wstring> journalFile;  // none: the save dialog is cancelled

protected:
    bool ChooseBackground(int32_t& index) override {
        backgroundOffered.push_back(index);
        if (!backgroundChoice) return false;
        index = *backgroundChoice;
        return true;
    }
    void OpenDocument(const std::wstring& path) override { opened.push_back(path); }
    bool ChooseJournalFile(std::wstring& path) override {
        if (journalFile) path = *journalFile;
        return journalFile.has_value();
    }
};

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.curCard = 1;
        frame = std::make_unique<ScriptedFrame>(settings, script.library, connection, L"Ketra", L".");
        ASSERT_TRUE(frame->Create());
        frame->Show(SW_SHOWMAXIMIZED);
        frame->ApplyCardType(settings.curCard);
        frame->View().ShowCardPanel(settings.curCard);
        PumpMessages();
    }
    void TearDown() override {
        if (frame && frame->IsValid()) frame->Destroy();
        PumpMessages();
    }

    void Command(UINT id) {
        SendMessageW(*frame, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        PumpMessages();
    }
    std::wstring BarText(int id) const { return Window(frame->Bar()->Item(id)).Text(); }
    HMENU Menu() const { return GetMenu(*frame); }
    // State of a Set menu item after the menu was prepared for showing.
    UINT SetMenuState(UINT id) {
        HMENU set = GetSubMenu(Menu(), 2);
        SendMessageW(*frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(set), 2);
        return GetMenuState(set, id, MF_BYCOMMAND);
    }

    ScriptedReader script;
    ProgramSettings settings;
    ReaderConnection connection;
    std::unique_ptr<ScriptedFrame> frame;
};
