#include "vantrel/panels/iso14443a/mifare_panel.h"

#include "vantrel/panels/iso14443a/mifare_ids.h"

namespace {

MifarePanelIds Ids1K() {
    MifareWindowIds window1{.group = IDC_MF_GROUP1,
                            .sectorLabel = IDC_MF_SECTOR_LABEL1,
                            .blockLabel = IDC_MF_BLOCK_LABEL1,
                            .keyLabel = IDC_MF_KEY_LABEL1,
                            .sectorList = IDC_MF_SECTOR1,
                            .firstSector = 0,
                            .lastSector = 15,
                            .blockList = IDC_MF_BLOCK1,
                            .dataEdits = {IDC_MF_DATA1_0, IDC_MF_DATA1_1, IDC_MF_DATA1_2},
                            .trailerKeyA = IDC_MF_TRAILER_KEY_A1,
                            .accessBits = IDC_MF_ACCESS1,
                            .trailerKeyB = IDC_MF_TRAILER_KEY_B1,
                            .useKeyA = IDC_MF_USE_KEY_A1,
                            .useKeyB = IDC_MF_USE_KEY_B1,
                            .keyEdit = IDC_MF_KEY1,
                            .readButton = IDC_MF_READ1,
                            .writeButton = IDC_MF_WRITE1};
    MifareWindowIds window2{.group = IDC_MF_GROUP2,
                            .sectorLabel = IDC_MF_SECTOR_LABEL2,
                            .blockLabel = IDC_MF_BLOCK_LABEL2,
                            .keyLabel = IDC_MF_KEY_LABEL2,
                            .sectorList = IDC_MF_SECTOR2,
                            .firstSector = 0,
                            .lastSector = 15,
                            .blockList = IDC_MF_BLOCK2,
                            .dataEdits = {IDC_MF_DATA2_0, IDC_MF_DATA2_1, IDC_MF_DATA2_2},
                            .trailerKeyA = IDC_MF_TRAILER_KEY_A2,
                            .accessBits = IDC_MF_ACCESS2,
                            .trailerKeyB = IDC_MF_TRAILER_KEY_B2,
                            .useKeyA = IDC_MF_USE_KEY_A2,
                            .useKeyB = IDC_MF_USE_KEY_B2,
                            .keyEdit = IDC_MF_KEY2,
                            .readButton = IDC_MF_READ2,
                            .writeButton = IDC_MF_WRITE2};
    MifareWindowIds window3{.group = IDC_MF_GROUP3,
                            .sectorLabel = IDC_MF_SECTOR_LABEL3,
                            .blockLabel = IDC_MF_BLOCK_LABEL3,
                            .keyLabel = IDC_MF_KEY_LABEL3,
                            .sectorList = IDC_MF_SECTOR3,
                            .firstSector = 0,
                            .lastSector = 15,
                            .blockList = IDC_MF_BLOCK3,
                            .dataEdits = {IDC_MF_DATA3_0, IDC_MF_DATA3_1, IDC_MF_DATA3_2},
                            .trailerKeyA = IDC_MF_TRAILER_KEY_A3,
                            .accessBits = IDC_MF_ACCESS3,
                            .trailerKeyB = IDC_MF_TRAILER_KEY_B3,
                            .useKeyA = IDC_MF_USE_KEY_A3,
                            .useKeyB = IDC_MF_USE_KEY_B3,
                            .keyEdit = IDC_MF_KEY3,
                            .readButton = IDC_MF_READ3,
                            .writeButton = IDC_MF_WRITE3};
    return {.reqIdl = IDC_MF_REQIDL,
            .halt = IDC_MF_HALT,
            .valueHexLabel = IDC_MF_VALUE_HEX_LABEL,
            .purseLastSector = 15,
            .windows = {std::move(window1), std::move(window2), std::move(window3)}};
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
