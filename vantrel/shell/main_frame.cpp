#include "vantrel/shell/main_frame.h"

#include <shellapi.h>

#include <filesystem>

#include "vantrel/dumps/dump_ids.h"
#include "vantrel/dumps/dump_menu.h"
#include "vantrel/framework/display.h"
#include "vantrel/journal/journal_menu.h"

#include "vantrel/resources/resource.h"
#include "vantrel/shell/background_dialog.h"
#include "vantrel/shell/card_registry.h"
#include "vantrel/shell/splash_window.h"
#include "vantrel/shell/virtual_cards_dialog.h"
#include "vantrel/toolkit/file_content.h"
#include "vantrel/toolkit/result_report.h"
#include "vantrel/toolkit/ui_text.h"
#include "vantrel_version.h"

namespace {

constexpr int kSplitterId = 0xE900;  // the first pane's id, as frames number it
constexpr int kLogMinHeight = 50;


}  // namespace

CMainFrame::CMainFrame(ProgramSettings& settings, ReaderLibrary& reader,
                       ReaderConnection& connection, std::wstring softwareName,
                       std::wstring programFolder)
    : settings_(settings),
      reader_(reader),
      connection_(connection),
      softwareName_(std::move(softwareName)),
      programFolder_(std::move(programFolder)),
      context_{reader, connection, *this},
      field_(reader, connection) {
    connection_.open = false;
    journal_.SetCardType(settings_.curCard);
    reader_.SetObserver(&journal_);
}

CMainFrame::~CMainFrame() { reader_.SetObserver(nullptr); }

std::span<const MessageEntry<CMainFrame>> CMainFrame::Messages() {
    static const MessageEntry<CMainFrame> map[] = {
        OnMessage(WM_CREATE, &CMainFrame::OnCreate),
        OnMessage(WM_CLOSE, &CMainFrame::OnClose),
        OnMessage(WM_PAINT, &CMainFrame::OnPaint),
        OnMessage(WM_NCLBUTTONDBLCLK, &CMainFrame::OnNcDoubleClick),
        OnCommand(ID_PORT_SET, &CMainFrame::OnPortSet, 0),
        OnCommand(ID_CONNECT, &CMainFrame::OnConnect, 0),
        OnCommand(ID_DISCONNECT, &CMainFrame::OnDisconnect, 0),
        OnCommand(ID_HELP_TOPIC, &CMainFrame::OnHelpTopic, 0),
        OnCommand(ID_SET_BACKGROUND, &CMainFrame::OnSetBackground, 0),
        OnCommand(ID_APP_ABOUT, &CMainFrame::OnAbout, 0),
        OnCommand(ID_APP_EXIT, &CMainFrame::OnExit, 0),
        OnCommand(ID_VIRTUAL_CARDS, &CMainFrame::OnVirtualCards, 0),
        OnCommandRange(CardMenuIds().first, CardMenuIds().last, &CMainFrame::OnCardCommand),
        OnCommandRange(ID_DUMP_SAVE, ID_DUMP_COMPARE, &CMainFrame::OnDumpCommand),
        OnCommand(ID_JOURNAL_SAVE, &CMainFrame::OnSaveJournal, 0),
        OnCommand(ID_JOURNAL_MASK_KEYS, &CMainFrame::OnMaskJournalKeys, 0),
    };
    return map;
}

bool CMainFrame::Create() {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    // Created in its maximised place, so that showing it maximised lays
    // nothing out a second time.
    const DWORD style = (WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX) | WS_CLIPCHILDREN | WS_MAXIMIZE;
    RECT r{0, 0, 1024, 768};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VANTREL));
    return WindowBase::Create(L"VantrelMainFrame", softwareName_.c_str(), style, 0, r, nullptr, menu,
                              0, nullptr, icon != nullptr ? icon : LoadIconW(nullptr, IDI_APPLICATION));
}

LRESULT CMainFrame::OnCreate(WPARAM, LPARAM) {
    PruneCardMenu(GetMenu(hwnd_));
    // Journal, Dump, then Help at the end.
    journal::AddJournalMenu(GetMenu(hwnd_));
    AddVirtualCardsItem();
    dumps::AddDumpMenu(GetMenu(hwnd_));
    dumps_ = std::make_unique<dumps::DumpCommands>(context_, hwnd_, dumpPrompts_, programFolder_);
    if (settings_.curCard == kDevicePageCode) settings_.curCard = 0;
    journal_.SetCardType(settings_.curCard);

    bar_ = std::make_unique<StatusBarDialog>();
    if (!bar_->Create(hwnd_, IDD_DIALOG_BAR)) return -1;
    bar_->Show(SW_SHOW);
    bar_->ShowAddress(connection_);
    bar_->ShowPort(connection_);
    bar_->ShowCardName(settings_.curCard);
    DockTop(*bar_);

    if (!splitter_.Create(hwnd_, kSplitterId)) return -1;
    view_ = std::make_unique<CVantrelView>(context_, hwnd_);
    if (!view_->Create(splitter_) || !log_.Create(splitter_)) return -1;
    splitter_.SetMinBottomHeight(kLogMinHeight);
    splitter_.SetTopHeight((4 * DisplayResolution().cy - 360) / 5);
    splitter_.SetPanes(*view_, log_);
    SetClient(splitter_);
    ApplySkin();
    SetFocus(*view_);
    return 0;
}

LRESULT CMainFrame::OnPaint(WPARAM wParam, LPARAM lParam) {
    if (!titleSet_) {
        SetTitleFor(settings_.curCard);
        titleSet_ = true;
    }
    return DefaultProc(WM_PAINT, wParam, lParam);
}

void CMainFrame::SetTitleFor(int32_t code) {
    SetText(softwareName_ + L"  -  " + CardName(code));
}

void CMainFrame::ApplyCardType(int32_t code) {
    SetTitleFor(code);
    CheckMenuItem(GetMenu(hwnd_), CardMenuId(code), MF_BYCOMMAND | MF_CHECKED);
    if (bar_) bar_->ShowCardName(code);
}

void CMainFrame::UncheckCardType(int32_t code) {
    if (code == kDevicePageCode) return;
    const unsigned id = CardMenuId(code);
    CheckMenuItem(GetMenu(hwnd_), id != 0 ? id : ID_CARD_MIFARE_1K, MF_BYCOMMAND | MF_UNCHECKED);
}

void CMainFrame::SelectCard(int32_t code) {
    if (settings_.curCard == code) return;
    UncheckCardType(settings_.curCard);
    settings_.curCard = code;
    journal_.SetCardType(code);
    ApplyCardType(code);
    FollowCardType();
    view_->ShowCardPanel(code);
}

bool CMainFrame::OnCardCommand(UINT id) {
    const int32_t code = CardCodeForMenuId(id);
    if (code < 0) return false;
    SelectCard(code);
    return true;
}

void CMainFrame::OnPortSet() {
    if (settings_.curCard == kDevicePageCode) return;
    UncheckCardType(settings_.curCard);
    SetTitleFor(kDevicePageCode);
    settings_.curCard = kDevicePageCode;
    journal_.SetCardType(kDevicePageCode);
    view_->ShowDevicePage();
}

// The connection commands keep the log as it is.
void CMainFrame::StartupConnect() {
    SplashWindow splash;
    splash.Create();
    Command cmd(context_, hwnd_, false);
    if (cmd.CallQuietly(reader_.rf_init_com, connection_.port, connection_.address) != 0) {
        cmd.CloseConnection();
        cmd.Failed(UiText(kMainMessages, kTextPortNotOpened));
    } else {
        connection_.open = true;
        FollowCardType();
    }
}

void CMainFrame::OnConnect() {
    Command cmd(context_, hwnd_, false);
    if (cmd.CallUnreported(reader_.rf_init_com, connection_.port, connection_.address) == 0) {
        connection_.open = true;
        FollowCardType();
        cmd.Done(UiText(kMainMessages, kTextConnectOk));
    } else {
        cmd.CloseConnection();
        cmd.Failed(UiText(kMainMessages, kTextOpenPortFailed));
    }
}

void CMainFrame::OnDisconnect() {
    Command cmd(context_, hwnd_, false);
    cmd.CloseConnection();
    cmd.Done(UiText(kMainMessages, kTextDisconnectOk));
}

void CMainFrame::OnUpdateMenu(HMENU popup) {
    EnableMenuItem(popup, ID_CONNECT, MF_BYCOMMAND | (connection_.open ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(popup, ID_DISCONNECT, MF_BYCOMMAND | (connection_.open ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(popup, ID_VIRTUAL_CARDS, MF_BYCOMMAND | (field_.Reachable() ? MF_ENABLED : MF_GRAYED));
    dumps::EnableDumpMenu(popup, dumps_ && dumps_->Offered(settings_.curCard), connection_.open);
    journal::EnableJournalMenu(popup, !journal_.Calls().empty(), maskJournalKeys_);
}

bool CMainFrame::ChooseJournalFile(std::wstring& path) { return journal::BrowseForJournalFile(hwnd_, path); }

// The log and the status field keep what the last command showed.
void CMainFrame::OnSaveJournal() {
    std::wstring path;
    if (journal_.Calls().empty() || !ChooseJournalFile(path)) return;
    journal::SaveOptions options;
    options.maskKeys = maskJournalKeys_;
    options.program = "Vantrel " VANTREL_VERSION;
    options.savedMicros = journal::NowMicros();
    options.cardName = [](int32_t code) { return std::wstring(CardName(code)); };
    options.localTime = journal::LocalTimeOf;
    const std::wstring name = std::filesystem::path(path).filename().wstring();
    if (!ReplaceFileContent(path, journal::JournalText(journal::JournalFormatOf(path), journal_, options))) {
        ShowMessageBox(hwnd_, L"The call journal could not be saved to " + name + L"; nothing was written there.",
                       UiText(kBoxCaptionError), MB_OK | MB_ICONSTOP);
        return;
    }
    const size_t calls = journal_.Calls().size();
    std::wstring text = L"Call journal saved to " + name + L": " + std::to_wstring(calls) + (calls == 1 ? L" call" : L" calls");
    if (journal_.Dropped() > 0) text += L", " + std::to_wstring(journal_.Dropped()) + L" older ones dropped";
    ShowStatus(text);
}

void CMainFrame::OnMaskJournalKeys() { maskJournalKeys_ = !maskJournalKeys_; }

// Our own item, after the reader's: only for a library with the virtual
// field's functions, so the reader maker's menu stays as it is.
void CMainFrame::AddVirtualCardsItem() {
    if (!field_.Offered()) return;
    HMENU bar = GetMenu(hwnd_);
    for (int at = 0; at < GetMenuItemCount(bar); ++at) {
        HMENU popup = GetSubMenu(bar, at);
        if (popup == nullptr || GetMenuState(popup, ID_PORT_SET, MF_BYCOMMAND) == static_cast<UINT>(-1)) continue;
        AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(popup, MF_STRING, ID_VIRTUAL_CARDS, L"Virtual cards...");
        return;
    }
}

void CMainFrame::FollowCardType() {
    if (settings_.curCard != kDevicePageCode && field_.Reachable()) field_.FollowCardType(settings_.curCard);
}

void CMainFrame::OnVirtualCards() {
    if (field_.Reachable()) ShowVirtualCards();
}

void CMainFrame::ShowVirtualCards() {
    CVirtualCardsDialog dialog(field_, *this, settings_.curCard);
    dialog.DoModal(hwnd_);
}

bool CMainFrame::OnDumpCommand(UINT id) {
    if (!dumps_ || !dumps_->Offered(settings_.curCard)) return true;
    const CardPanelBase* panel = view_->CurrentPanel();
    const dumps::DumpTarget target{settings_.curCard, CardName(settings_.curCard),
                                   panel != nullptr ? panel->TypedSecrets() : CardSecrets{}};
    if (id == ID_DUMP_SAVE && connection_.open) dumps_->SaveCard(target);
    if (id == ID_DUMP_WRITE && connection_.open) dumps_->WriteFileToCard(target);
    if (id == ID_DUMP_COMPARE) dumps_->CompareDumps(target);
    return true;
}

void CMainFrame::OnHelpTopic() { OpenDocument(programFolder_ + L"\\Ketra User Manual Ver1.0.pdf"); }

void CMainFrame::OpenDocument(const std::wstring& path) {
    ShellExecuteW(hwnd_, L"open", path.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

// The tile is loaded once per choice; the panes tile the loaded bitmap on
// every erase.
void CMainFrame::ApplySkin() {
    Skin next = LoadSkin(programFolder_, settings_.curBitmap);
    view_->SetSkin(next.Tile());
    skin_ = std::move(next);
}

bool CMainFrame::ChooseBackground(int32_t& index) {
    CBackgroundDialog dialog(index, programFolder_);
    if (dialog.DoModal(hwnd_) != IDOK) return false;
    index = dialog.SelectedIndex();
    return true;
}

void CMainFrame::OnSetBackground() {
    int32_t chosen = settings_.curBitmap;
    if (!ChooseBackground(chosen) || chosen == settings_.curBitmap || !IsSkinIndex(chosen)) return;
    settings_.curBitmap = chosen;
    ApplySkin();
}

void CMainFrame::OnAbout() {
    CAboutDialog dialog(aboutTexts_ ? aboutTexts_() : AboutTexts{});
    dialog.DoModal(hwnd_);
}

void CMainFrame::OnExit() { Post(WM_CLOSE); }

LRESULT CMainFrame::OnClose(WPARAM, LPARAM) {
    if (connection_.open) Command(context_, hwnd_, false).CloseConnection();
    if (bar_) {
        bar_->Destroy();
        bar_.reset();
    }
    Destroy();
    return 0;
}

void CMainFrame::ClearLog() {
    if (log_.IsValid()) log_.ClearEntries();
}

void CMainFrame::AddLogLine(const std::wstring& functionName, int32_t status) {
    if (log_.IsValid()) log_.AddEntry(functionName, status);
}

void CMainFrame::ShowStatus(const std::wstring& text) {
    if (bar_) bar_->ShowStatus(text);
}

void CMainFrame::ShowStatusHint(const std::wstring& hint) {
    if (bar_) bar_->ShowStatusHint(hint);
}

void CMainFrame::BeginReports() { log_.BeginBatch(); }

void CMainFrame::EndReports() { log_.EndBatch(); }

void CMainFrame::ShowConnectionTarget() {
    if (!bar_) return;
    bar_->ShowAddress(connection_);
    bar_->ShowPort(connection_);
}

int CMainFrame::ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                           UINT type) {
    // The box runs a message loop: what the command logged so far shows.
    if (log_.IsValid()) log_.Flush();
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

void CMainFrame::Beep(UINT type) { MessageBeep(type); }

void CMainFrame::Wait(DWORD milliseconds) { Sleep(milliseconds); }

SYSTEMTIME CMainFrame::LocalTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now;
}
