#include "vantrel/panels/iso14443a/ultralight_family_panel.h"

#include <algorithm>
#include <string>

#include "vantrel/framework/common_controls.h"
#include "vantrel/panels/iso14443a/type_a_activation.h"
#include "vantrel/toolkit/edit_texts.h"
#include "vantrel/toolkit/hex_text.h"
#include "vantrel/toolkit/shared_gdi.h"

namespace {

constexpr int kSearchAttempts = 2;
constexpr std::size_t kAnswerSize = 1024;

}  // namespace

UltraLightFamilyPanel::UltraLightFamilyPanel(int templateId, PanelContext& context,
                                             const UltraLightFamilySetup& setup)
    : WithMessageMap(templateId, context), setup_(setup) {
    using P = UltraLightFamilyPanel;
    const UltraLightFamilyIds& ids = setup_.ids;
    buttons_ = {
        OnCommand<P>(ids.search, &P::OnSearch), OnCommand<P>(ids.reqIdl, &P::OnReqIdl),
        OnCommand<P>(ids.halt, &P::OnHalt),     OnCommand<P>(ids.read, &P::OnRead),
        OnCommand<P>(ids.write, &P::OnWrite),
    };
    UseCaptions(setup_.captions);
}

std::span<const MessageEntry<UltraLightFamilyPanel>> UltraLightFamilyPanel::Messages() {
    static const MessageEntry<UltraLightFamilyPanel> map[] = {
        OnMessage(WM_CTLCOLOREDIT, &UltraLightFamilyPanel::OnCtlColorEdit),
    };
    return map;
}

bool UltraLightFamilyPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                          LRESULT& result) {
    if (DispatchMessageMap<UltraLightFamilyPanel>(buttons_, this, message, wParam, lParam, result)) {
        return true;
    }
    return WithMessageMap::HandleMessage(message, wParam, lParam, result);
}

BOOL UltraLightFamilyPanel::OnInitDialog() {
    CardPanelBase::OnInitDialog();
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
                EditControl(plain).LimitText(static_cast<int>(CharLimitOfByteLimit(field.length)));
                UseHexFont(plain);
            }
        }
    }
    const std::vector<int> pages = WritablePages(setup_.grid);
    NumberList pageList;
    Bind(pageList, ids.pageList);
    pageList.Fill(pages, 0);

    ReplaceGroupBoxes({ids.pageFrame});
    SetContentHeightBelow(ids.pageFrame);
    return TRUE;
}

void UltraLightFamilyPanel::SetUpHexEdit(ByteTextEdit& edit, int id, std::size_t byteLimit) {
    Bind(edit, id);
    if (byteLimit > 0) edit.SetByteLimit(byteLimit);
    UseHexFont(edit);
}

void UltraLightFamilyPanel::OnSearch() {
    uid_.Clear();
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (const auto uid = SearchTypeACard(cmd, kUltraLightProfile, kSearchAttempts)) {
        ShowSelected(cmd, *uid);
    }
}

void UltraLightFamilyPanel::OnReqIdl() {
    uid_.Clear();
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (const auto uid = SelectTypeACard(cmd, kUltraLightProfile, kRequestIdle)) {
        ShowSelected(cmd, *uid);
    }
}

void UltraLightFamilyPanel::OnHalt() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (HaltTypeACard(cmd)) cmd.Done(UiText(kMainMessages, kTextSuccess));
}

void UltraLightFamilyPanel::ShowSelected(Command& cmd, const Bytes& uid) {
    ClearPageEdits();
    uid_.SetBytes(uid);
    cmd.Done(UiText(kMainMessages, kTextSuccess));
}

void UltraLightFamilyPanel::OnRead() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    // The pages not read end up empty.
    std::vector<HWND> pageEdits;
    for (const auto& edit : PageEdits()) pageEdits.push_back(edit.second);
    EditTexts shown(std::move(pageEdits));
    for (int first : ReadStartPages(setup_.grid)) {
        uint8_t answer[kAnswerSize] = {};
        uint8_t length = 0;
        const int32_t status =
            cmd.CallQuietly(reader_.rf_M1_read, kDevice, static_cast<uint8_t>(first), answer, &length);
        if (status != 0 || !ReadAnswerUsable(setup_.grid, length)) {
            ReportReadError(cmd, status, first);
            return;
        }
        for (const FieldContent& field :
             FieldsOfAnswer(setup_.grid, first, std::span<const uint8_t>(answer, length))) {
            shown.Set(PageEdit(field.editId), BytesToHex(field.bytes));
        }
    }
    cmd.Done(UiText(kMainMessages, kTextReadOk));
}

void UltraLightFamilyPanel::ReportReadError(Command& cmd, int32_t status, int page) {
    const std::wstring text = FormatText(UiText(kMainMessages, kTextReadPageError), page);
    // A short answer to a successful call is still a failed read.
    if (status != 0) {
        cmd.Failed(status, text.c_str());
    } else {
        cmd.Failed(text);
    }
}

void UltraLightFamilyPanel::OnWrite() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const int page = ListAt(setup_.ids.pageList).Selected();
    if (page < kUlFirstWritablePage) return;
    const auto data = PageWriteData(setup_.grid, page, [this](int id) { return EditBytes(id); });
    if (!cmd.Call(reader_.rf_ul_write, kDevice, static_cast<uint8_t>(page), data.data())) return;
    cmd.Done(UiText(kMainMessages, kTextWriteOk));
}

void UltraLightFamilyPanel::ClearPageEdits() {
    for (const auto& edit : PageEdits()) Window(edit.second).SetTextIfChanged(L"");
}

const std::vector<std::pair<int, HWND>>& UltraLightFamilyPanel::PageEdits() {
    if (pageEdits_.empty()) {
        for (int id : PageEditIds(setup_.grid)) pageEdits_.emplace_back(id, Item(id));
    }
    return pageEdits_;
}

HWND UltraLightFamilyPanel::PageEdit(int id) {
    for (const auto& [editId, edit] : PageEdits()) {
        if (editId == id) return edit;
    }
    return Item(id);
}

Bytes UltraLightFamilyPanel::EditBytes(int id) const { return HexToBytes(Window(Item(id)).Text()); }

bool UltraLightFamilyPanel::IsHighlighted(int id) const {
    return std::find(setup_.highlighted.begin(), setup_.highlighted.end(), id) !=
           setup_.highlighted.end();
}

LRESULT UltraLightFamilyPanel::OnCtlColorEdit(WPARAM wParam, LPARAM lParam) {
    if (!IsHighlighted(GetDlgCtrlID(ControlOf(lParam)))) {
        return DefWindowProcW(hwnd_, WM_CTLCOLOREDIT, wParam, lParam);
    }
    return HighlightEditColours(DcOf(wParam));
}
