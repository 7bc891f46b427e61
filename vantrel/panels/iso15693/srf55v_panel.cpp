#include "vantrel/panels/iso15693/srf55v_panel.h"

#include <algorithm>

#include "vantrel/framework/wait_cursor.h"
#include "vantrel/panels/iso15693/srf55v_ids.h"
#include "vantrel/toolkit/id_range.h"

namespace {

static_assert(IdsAreConsecutive({IDC_SRF55V_SPARE4, 1068, 1069, 1070, 1071, 1072, 1073, 1074, 1075,
                                 1076, 1077, IDC_SRF55V_SPARE15}),
              "spare fields 4 to 15 are consecutive");

constexpr int kSpareFields[] = {IDC_SRF55V_SPARE0, IDC_SRF55V_SPARE1, IDC_SRF55V_SPARE2,
                                IDC_SRF55V_SPARE3};
constexpr int kRowsPerPage = 16;
constexpr int kGap = 8;
// Reported when a page's read-back differs from what was written.
constexpr int32_t kReadBackMismatch = 1;
// A tag page a line, labelled with its number.
constexpr HexPageShape kPaneShape{kRowsPerPage, CSrf55vPanel::kPageSize, kRowsPerPage, CSrf55vPanel::kPageSize};

}  // namespace

CSrf55vPanel::CSrf55vPanel(PanelContext& context, int32_t code)
    : VicinityFamilyPanel(IDD_SRF55V, context), pages_(code == kCodeSrf55V10P ? 128 : 32), pane_(kPaneShape) {
    HexPageEditor::LoadRichEdit();
}

BOOL CSrf55vPanel::OnInitDialog() {
    VicinityFamilyPanel::OnInitDialog();
    std::vector<int> spares(std::begin(kSpareFields), std::end(kSpareFields));
    for (int id = IDC_SRF55V_SPARE4; id <= IDC_SRF55V_SPARE15; ++id) spares.push_back(id);
    for (int id : spares) ShowWindow(BindItem(id), SW_HIDE);

    BindPane(pane_, IDC_VF_EDITOR, IDC_VF_PAGE_BAR);
    pane_.Start(pages_ * kPageSize);
    pane_.PlaceBar(pane_.Editor().RectIn(hwnd_).right + kGap);
    SetContentHeightBelow(IDC_VF_EDITOR);
    return TRUE;
}

void CSrf55vPanel::OnInventory() { RunInventory(reader_.ISO15693_Inventorys); }

void CSrf55vPanel::OnRead() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const auto uid = ChooseUid(cmd);
    if (!uid) return;
    ZeroFillOnFailure(cmd, pane_);
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
    pane_.Load(data);
    cmd.Done(UiText(kMainMessages, kTextSrf55vReadOk));
}

void CSrf55vPanel::OnWrite() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const auto uid = ChooseUid(cmd);
    if (!uid) return;
    const int first = pane_.FirstChangedRow();
    if (first < 0) {
        cmd.Failed(UiText(kMainMessages, kTextNoChangedBlocks));
        return;
    }
    for (int page = first; page <= pane_.LastChangedRow(); ++page) {
        uint8_t data[kPageSize] = {};
        const Bytes row = pane_.RowBytes(page);
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
        pane_.MarkWritten(page * kPageSize, kPageSize);
    }
    cmd.Done(UiText(kMainMessages, kTextSrf55vWriteOk));
}
