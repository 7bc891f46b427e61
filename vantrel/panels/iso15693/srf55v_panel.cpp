#include "vantrel/panels/iso15693/srf55v_panel.h"

#include <algorithm>

#include "vantrel/framework/gdi.h"
#include "vantrel/framework/wait_cursor.h"
#include "vantrel/panels/iso15693/srf55v_ids.h"
#include "vantrel/toolkit/hex_page_frame.h"
#include "vantrel/toolkit/id_range.h"

namespace {

static_assert(IdsAreConsecutive({IDC_SRF55V_SPARE4, 1068, 1069, 1070, 1071, 1072, 1073, 1074, 1075,
                                 1076, 1077, IDC_SRF55V_SPARE15}),
              "spare fields 4 to 15 are consecutive");

constexpr int kSpareFields[] = {IDC_SRF55V_SPARE0, IDC_SRF55V_SPARE1, IDC_SRF55V_SPARE2,
                                IDC_SRF55V_SPARE3};
constexpr int kRowsPerPage = 16;
constexpr int kRowLabelWidth = 20;
constexpr int kGap = 8;
// Reported when a page's read-back differs from what was written.
constexpr int32_t kReadBackMismatch = 1;


}  // namespace

CSrf55vPanel::CSrf55vPanel(PanelContext& context, int32_t code)
    : WithMessageMap(IDD_SRF55V, context), pages_(code == kCodeSrf55V10P ? 128 : 32) {
    HexPageEditor::LoadRichEdit();
}

std::span<const MessageEntry<CSrf55vPanel>> CSrf55vPanel::Messages() {
    using P = CSrf55vPanel;
    static const MessageEntry<P> map[] = {
        OnMessage(WM_VSCROLL, &P::OnVScroll),
        OnMessage(WM_PAINT, &P::OnPaint),
    };
    return map;
}

BOOL CSrf55vPanel::OnInitDialog() {
    VicinityFamilyPanel::OnInitDialog();
    std::vector<int> spares(std::begin(kSpareFields), std::end(kSpareFields));
    for (int id = IDC_SRF55V_SPARE4; id <= IDC_SRF55V_SPARE15; ++id) spares.push_back(id);
    for (int id : spares) ShowWindow(BindItem(id), SW_HIDE);

    Bind(editor_, IDC_VF_EDITOR);
    Bind(pageBar_, IDC_VF_PAGE_BAR);
    KeepDefaultColours(IDC_VF_PAGE_BAR);
    UseHexFont(editor_);
    editor_.SetLayout(kRowsPerPage, kPageSize);
    editor_.SetBold(true);
    editor_.LoadText(Bytes(static_cast<std::size_t>(pages_ * kPageSize), 0));
    editor_.FitToPage(kRowsPerPage, kPageSize);
    const RECT e = editor_.RectIn(hwnd_);
    pageBar_.Move({e.right + kGap, e.top, e.right + kGap + GetSystemMetrics(SM_CXVSCROLL), e.bottom});
    SetScrollRange(pageBar_, SB_CTL, 0, editor_.PageCount() - 1, TRUE);
    SetContentHeightBelow(IDC_VF_EDITOR);
    return TRUE;
}

void CSrf55vPanel::OnInventory() { RunInventory(reader_.ISO15693_Inventorys); }

void CSrf55vPanel::OnRead() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const auto uid = ChooseUid(cmd);
    if (!uid) return;
    ZeroFillOnFailure(cmd, editor_);
    Bytes data;
    {
        WaitCursor wait;
        for (int page = 0; page < pages_; ++page) {
            uint8_t answer[kAnswerSize] = {};
            uint8_t length = 0;
            // Only the whole read is logged.
            if (!cmd.CallNotLogged(reader_.Srf55vp_Read, kDevice, uid->data(), static_cast<uint8_t>(page), answer,
                                   &length)) {
                return;
            }
            if (length != kPageSize) {
                cmd.Failed(FormatText(UiText(kMainMessages, kTextReadPageError), page));
                return;
            }
            data.insert(data.end(), answer, answer + length);
        }
    }
    cmd.Log(reader_.Srf55vp_Read, 0);
    editor_.LoadBytes(data);
    cmd.Done(UiText(kMainMessages, kTextSrf55vReadOk));
}

void CSrf55vPanel::OnWrite() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const auto uid = ChooseUid(cmd);
    if (!uid) return;
    const int first = editor_.FirstChangedRow();
    if (first < 0) {
        cmd.Failed(UiText(kMainMessages, kTextNoChangedBlocks));
        return;
    }
    for (int page = first; page <= editor_.LastChangedRow(); ++page) {
        uint8_t data[kPageSize] = {};
        const Bytes row = editor_.RowBytes(page);
        std::copy_n(row.begin(), std::min<std::size_t>(row.size(), kPageSize), data);
        uint8_t readBack[kAnswerSize] = {};
        uint8_t length = kPageSize;
        int32_t status = cmd.CallUnreported(reader_.Srf55vp_Write_Reread, kDevice, uid->data(),
                                            static_cast<uint8_t>(page), data, readBack, &length);
        if (status == 0 && (length != kPageSize || !std::equal(data, data + kPageSize, readBack))) {
            status = kReadBackMismatch;
        }
        cmd.Log(reader_.Srf55vp_Write_Reread, status);
        if (status != 0) {
            cmd.Failed(status, reader_.Srf55vp_Write_Reread.Name());
            return;
        }
    }
    cmd.Done(UiText(kMainMessages, kTextSrf55vWriteOk));
}

LRESULT CSrf55vPanel::OnVScroll(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != pageBar_.Handle()) return 0;
    if (!FollowPageBar(hwnd_, pageBar_, editor_, kRowLabelWidth, wParam)) return 0;
    return 0;
}

LRESULT CSrf55vPanel::OnPaint(WPARAM, LPARAM) {
    ScopedPaint paint(hwnd_);
    const int page = GetScrollPos(pageBar_, SB_CTL);
    DrawHexPageLabels(paint, hwnd_, editor_, kRowLabelWidth,
                      [page](int row) { return HexLabel(page * kRowsPerPage + row); });
    return 0;
}
