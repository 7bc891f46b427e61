// The program's one top-level window: the card menu, the dialog bar, the panel
// pane over the result log, and the connection commands. It is also what the
// panels report through.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "vantrel/framework/frame_window.h"
#include "vantrel/framework/message_map.h"
#include "vantrel/framework/splitter.h"
#include "vantrel/dumps/dump_commands.h"
#include "vantrel/dumps/dump_prompts.h"
#include "vantrel/journal/call_journal.h"
#include "vantrel/reader/reader_connection.h"
#include "vantrel/reader/reader_library.h"
#include "vantrel/reader/virtual_field.h"
#include "vantrel/shell/about_dialog.h"
#include "vantrel/shell/process_view.h"
#include "vantrel/shell/program_settings.h"
#include "vantrel/shell/skin.h"
#include "vantrel/shell/status_bar_dialog.h"
#include "vantrel/shell/vantrel_view.h"
#include "vantrel/toolkit/panel_context.h"

class CMainFrame : public WithMessageMap<CMainFrame, FrameWindow>, public PanelServices {
public:
    CMainFrame(ProgramSettings& settings, ReaderLibrary& reader, ReaderConnection& connection,
               std::wstring softwareName, std::wstring programFolder);
    ~CMainFrame() override;

    // Creates the window with its bar and panes (not yet shown).
    bool Create();
    // Title, menu check mark and the bar's card name for `code`.
    void ApplyCardType(int32_t code);
    void UncheckCardType(int32_t code);
    void SelectCard(int32_t code);
    void StartupConnect();
    // Where the About box gets its texts when it opens.
    void SetAboutTexts(std::function<AboutTexts()> source) { aboutTexts_ = std::move(source); }
    // The tile behind the panels, empty when the skin library lacks it.
    const Skin& CurrentSkin() const { return skin_; }

    // PanelServices: the log pane and the bar's status field.
    void ClearLog() override;
    void AddLogLine(const std::wstring& functionName, int32_t status) override;
    void ShowStatus(const std::wstring& text) override;
    void ShowStatusHint(const std::wstring& hint) override;
    void BeginReports() override;
    void EndReports() override;
    void ShowConnectionTarget() override;
    int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                   UINT type) override;
    void Beep(UINT type) override;
    void Wait(DWORD milliseconds) override;
    SYSTEMTIME LocalTime() override;
    std::wstring ProgramFolder() override { return programFolder_; }

    CVantrelView& View() { return *view_; }
    CProcessView& Log() { return log_; }
    StatusBarDialog* Bar() { return bar_.get(); }
    PanelContext& Context() { return context_; }

    static std::span<const MessageEntry<CMainFrame>> Messages();

    dumps::DumpCommands* Dumps() { return dumps_.get(); }
    // Every library call since the start, as "Save call journal..." saves it.
    const journal::CallJournal& Journal() const { return journal_; }
    journal::CallJournal& Journal() { return journal_; }

protected:
    void OnUpdateMenu(HMENU popup) override;
    // Opens the reader's manual; tests replace it.
    virtual void OpenDocument(const std::wstring& path);
    // Runs the background choice dialog from `index`; true and the chosen
    // index on OK. Tests replace it.
    virtual bool ChooseBackground(int32_t& index);
    // The file to save the call journal in; false: cancelled. Tests replace it.
    virtual bool ChooseJournalFile(std::wstring& path);
    // Runs the virtual cards dialog. Tests replace it.
    virtual void ShowVirtualCards();
    const VirtualField& Field() const { return field_; }

private:
    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnNcDoubleClick(WPARAM, LPARAM) { return 0; }
    bool OnCardCommand(UINT id);
    void OnPortSet();
    void OnConnect();
    void OnDisconnect();
    void OnHelpTopic();
    void OnSetBackground();
    void OnAbout();
    void OnVirtualCards();
    void AddVirtualCardsItem();
    // The cards of the card type shown go alone into a following virtual field.
    void FollowCardType();
    void ApplySkin();
    void OnExit();
    bool OnDumpCommand(UINT id);
    void OnSaveJournal();
    void OnMaskJournalKeys();
    void SetTitleFor(int32_t code);

    ProgramSettings& settings_;
    ReaderLibrary& reader_;
    ReaderConnection& connection_;
    std::wstring softwareName_;
    std::wstring programFolder_;
    PanelContext context_;
    VirtualField field_;
    std::function<AboutTexts()> aboutTexts_;
    Skin skin_;  // outlives the panes that tile it
    std::unique_ptr<StatusBarDialog> bar_;
    Splitter splitter_;
    std::unique_ptr<CVantrelView> view_;
    CProcessView log_;
    bool titleSet_ = false;
    journal::CallJournal journal_;
    bool maskJournalKeys_ = true;
    dumps::DialogPrompts dumpPrompts_;
    std::unique_ptr<dumps::DumpCommands> dumps_;
};
