#include "vantrel/panels/iso14443a/ultralight_family_panel.h"

#include <algorithm>
#include <string>

#include "vantrel/panels/iso14443a/ultralight_family_text.h"
#include "vantrel/toolkit/hex_text.h"

namespace {

constexpr int kSearchAttempts = 2;
constexpr DWORD kTypeSettleMs = 20;
constexpr uint8_t kAntennaOff = 0;
constexpr uint8_t kAntennaOn = 1;
constexpr uint8_t kTypeA = 'A';
constexpr uint8_t kRequestAll = 0x52;
constexpr uint8_t kRequestIdle = 0x26;
constexpr std::size_t kAnswerSize = 1024;

constexpr COLORREF kHighlightText = RGB(255, 255, 0);
constexpr COLORREF kHighlightBack = RGB(240, 0, 0);

// A fixed-pitch font as tall as `font`, for hex text.
HFONT CreateHexFont(HFONT font) {
    LOGFONTW lf{};
    if (font == nullptr || GetObjectW(font, sizeof(lf), &lf) == 0) {
        lf.lfHeight = -12;
        lf.lfWeight = FW_NORMAL;
    }
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, L"Courier New", LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

}  // namespace

UltraLightFamilyPanel::UltraLightFamilyPanel(int templateId, PanelContext& context,
                                             const UltraLightFamilySetup& setup)
    : WithMessageMap(templateId, context), setup_(setup) {}

std::span<const MessageEntry<UltraLightFamilyPanel>> UltraLightFamilyPanel::Messages() {
    static const MessageEntry<UltraLightFamilyPanel> map[] = {
        OnMessage(WM_CTLCOLOREDIT, &UltraLightFamilyPanel::OnCtlColorEdit),
    };
    return map;
}

BOOL UltraLightFamilyPanel::OnInitDialog() {
    CardPanelBase::OnInitDialog();
    hexFont_.Reset(CreateHexFont(Font()));
    highlightBrush_.Reset(CreateSolidBrush(kHighlightBack));
    const UltraLightFamilyIds& ids = setup_.ids;

    SetUpHexEdit(uid_, ids.uid, 0);
    uid_.SetLocked(setup_.lockUid);

    for (int page = 0; page < setup_.grid.pageCount; ++page) {
        for (const PageField& field : FieldsOfPage(setup_.grid, page)) {
            if (field.editId <= setup_.lastFilteredPageEdit) {
                filteredPages_.push_back(std::make_unique<ByteTextEdit>());
                SetUpHexEdit(*filteredPages_.back(), field.editId, field.length);
            } else {
                Window plain(BindItem(field.editId));
                plain.Send(EM_SETLIMITTEXT, CharLimitOfByteLimit(field.length));
                plain.Send(WM_SETFONT, reinterpret_cast<WPARAM>(hexFont_.Get()), FALSE);
            }
        }
    }

    Window list(BindItem(ids.pageList));
    for (int page : WritablePages(setup_.grid)) {
        const LRESULT index = list.Send(CB_ADDSTRING, 0,
                                        reinterpret_cast<LPARAM>(std::to_wstring(page).c_str()));
        list.Send(CB_SETITEMDATA, static_cast<WPARAM>(index), page);
    }
    list.Send(CB_SETCURSEL, 0);

    const std::pair<int, int> captions[] = {
        {ids.uidLabel, kUlTextUidLabel}, {ids.pageLabel, kUlTextPageLabel},
        {ids.search, kUlTextSearch},     {ids.read, kUlTextRead},
        {ids.write, kUlTextWrite},       {ids.reqIdl, kUlTextReqIdl},
        {ids.halt, kUlTextHalt},
    };
    SetCaptions(kUltraLightFamilyCaptions, captions);
    ReplaceGroupBoxes({ids.pageFrame});
    SetContentHeightBelow(ids.pageFrame);
    return TRUE;
}

void UltraLightFamilyPanel::SetUpHexEdit(ByteTextEdit& edit, int id, std::size_t byteLimit) {
    Bind(edit, id);
    if (byteLimit > 0) edit.SetByteLimit(byteLimit);
    edit.Send(WM_SETFONT, reinterpret_cast<WPARAM>(hexFont_.Get()), FALSE);
}

void UltraLightFamilyPanel::OnSearch() {
    uid_.Clear();
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    // A failing call ends the attempt; its report stays if the last one fails too.
    for (int attempt = 0; attempt < kSearchAttempts; ++attempt) {
        if (SwitchFieldOn(cmd) && RequestAndSelect(cmd, kRequestAll)) return;
    }
}

void UltraLightFamilyPanel::OnReqIdl() {
    uid_.Clear();
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    RequestAndSelect(cmd, kRequestIdle);
}

void UltraLightFamilyPanel::OnHalt() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (!cmd.Call(reader_.rf_halt, 0)) return;
    cmd.Done(UiText(kMainMessages, kTextSuccess));
}

bool UltraLightFamilyPanel::SwitchFieldOn(Command& cmd) {
    if (!cmd.Call(reader_.rf_antenna_sta, 0, kAntennaOff)) return false;
    if (!cmd.Call(reader_.rf_init_type, 0, kTypeA)) return false;
    cmd.Wait(kTypeSettleMs);
    return cmd.Call(reader_.rf_antenna_sta, 0, kAntennaOn);
}

bool UltraLightFamilyPanel::RequestAndSelect(Command& cmd, uint8_t mode) {
    uint16_t tagType = 0;
    if (!cmd.Call(reader_.rf_request, 0, mode, &tagType)) return false;
    uint8_t uid[kAnswerSize] = {};
    uint8_t length = 0;
    if (!cmd.Call(reader_.rf_ul_select, 0, uid, &length)) return false;
    ClearPageEdits();
    uid_.SetBytes(uid, length);
    cmd.Done(UiText(kMainMessages, kTextSuccess));
    return true;
}

void UltraLightFamilyPanel::OnRead() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    ClearPageEdits();
    for (int first : ReadStartPages(setup_.grid)) {
        uint8_t answer[kAnswerSize] = {};
        uint8_t length = 0;
        const int32_t status =
            cmd.CallQuietly(reader_.rf_M1_read, 0, static_cast<uint8_t>(first), answer, &length);
        if (status != 0 || !ReadAnswerUsable(setup_.grid, length)) {
            ReportReadError(status, first);
            return;
        }
        for (const FieldContent& field :
             FieldsOfAnswer(setup_.grid, first, std::span<const uint8_t>(answer, length))) {
            Window(Item(field.editId)).SetText(BytesToHex(field.bytes));
        }
    }
    cmd.Done(UiText(kMainMessages, kTextReadOk));
}

void UltraLightFamilyPanel::ReportReadError(int32_t status, int page) {
    const std::wstring text = FormatText(UiText(kMainMessages, kTextReadPageError), page);
    // A short answer to a successful call is still a failed read.
    if (status != 0) {
        ReportResult(context_.services, status, text.c_str());
    } else {
        ReportError(context_.services, text);
    }
}

void UltraLightFamilyPanel::OnWrite() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const int page = SelectedPage();
    if (page < kUlFirstWritablePage) return;
    const auto data = PageWriteData(setup_.grid, page, [this](int id) { return EditBytes(id); });
    if (!cmd.Call(reader_.rf_ul_write, 0, static_cast<uint8_t>(page), data.data())) return;
    cmd.Done(UiText(kMainMessages, kTextWriteOk));
}

void UltraLightFamilyPanel::ClearPageEdits() {
    for (int id : PageEditIds(setup_.grid)) Window(Item(id)).SetText(L"");
}

Bytes UltraLightFamilyPanel::EditBytes(int id) const { return HexToBytes(Window(Item(id)).Text()); }

int UltraLightFamilyPanel::SelectedPage() const {
    Window list(Item(setup_.ids.pageList));
    const LRESULT index = list.Send(CB_GETCURSEL);
    if (index == CB_ERR) return -1;
    return static_cast<int>(list.Send(CB_GETITEMDATA, static_cast<WPARAM>(index)));
}

bool UltraLightFamilyPanel::IsHighlighted(int id) const {
    return std::find(setup_.highlighted.begin(), setup_.highlighted.end(), id) !=
           setup_.highlighted.end();
}

LRESULT UltraLightFamilyPanel::OnCtlColorEdit(WPARAM wParam, LPARAM lParam) {
    if (!IsHighlighted(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)))) {
        return DefWindowProcW(hwnd_, WM_CTLCOLOREDIT, wParam, lParam);
    }
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, kHighlightText);
    SetBkColor(dc, kHighlightBack);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(highlightBrush_.Get());
}
