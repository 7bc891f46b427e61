#include "vantrel/panels/iso14443a/mifare_panel.h"

#include "vantrel/panels/iso14443a/mifare_ids.h"

namespace {

MifarePanelIds Ids1K() {
    return {.reqIdl = IDC_MF_REQIDL,
            .halt = IDC_MF_HALT,
            .valueHexLabel = IDC_MF_VALUE_HEX_LABEL,
            .purseLastSector = 15,
            .windows = {OperationWindowIds(1, 0, 15), OperationWindowIds(2, 0, 15),
                        OperationWindowIds(3, 0, 15)}};
}

}  // namespace

CMifarePanel::CMifarePanel(PanelContext& context) : WithMessageMap(IDD_MIFARE_1K, context, Ids1K()) {}

std::span<const MessageEntry<CMifarePanel>> CMifarePanel::Messages() {
    using P = CMifarePanel;
    static const MessageEntry<P> map[] = {
        OnCommand<P>(IDC_MF_REQIDL, &P::OnReqIdl),
        OnCommand<P>(IDC_MF_HALT, &P::OnHalt),
        OnCommand<P>(IDC_MF_READ3, &P::OnReadSector3),
        OnCommand<P>(IDC_MF_WRITE3, &P::OnWriteBlock3),
        OnCommand<P>(IDC_MF_SECTOR3, &P::OnWindow3Changed, CBN_SELCHANGE),
        OnCommand<P>(IDC_MF_BLOCK3, &P::OnWindow3Changed, CBN_SELCHANGE),
    };
    return map;
}
