#include "vantrel/panels/iso14443a/mifare_4k_panel.h"

#include "vantrel/panels/iso14443a/mifare_ids.h"

namespace {

MifarePanelIds Ids4K() {
    MifareWindowIds small{.group = IDC_MF_GROUP1,
                          .sectorLabel = IDC_MF_SECTOR_LABEL1,
                          .blockLabel = IDC_MF_BLOCK_LABEL1,
                          .keyLabel = IDC_MF_KEY_LABEL1,
                          .sectorList = IDC_MF_SECTOR1,
                          .firstSector = 0,
                          .lastSector = kFirstLargeSector - 1,
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
    MifareWindowIds large{.group = IDC_MF_GROUP2,
                          .sectorLabel = IDC_MF_SECTOR_LABEL2,
                          .blockLabel = IDC_MF_BLOCK_LABEL2,
                          .keyLabel = IDC_MF_KEY_LABEL2,
                          .sectorList = IDC_MF_SECTOR2,
                          .firstSector = kFirstLargeSector,
                          .lastSector = kLastLargeSector,
                          .blockList = IDC_MF_BLOCK2,
                          .dataEdits = {IDC_MF4K_DATA2_0, IDC_MF4K_DATA2_1, IDC_MF4K_DATA2_2,
                                        IDC_MF4K_DATA2_3, IDC_MF4K_DATA2_4, IDC_MF4K_DATA2_5,
                                        IDC_MF4K_DATA2_6, IDC_MF4K_DATA2_7, IDC_MF4K_DATA2_8,
                                        IDC_MF4K_DATA2_9, IDC_MF4K_DATA2_10, IDC_MF4K_DATA2_11,
                                        IDC_MF4K_DATA2_12, IDC_MF4K_DATA2_13, IDC_MF4K_DATA2_14},
                          .trailerKeyA = IDC_MF_TRAILER_KEY_A2,
                          .accessBits = IDC_MF_ACCESS2,
                          .trailerKeyB = IDC_MF_TRAILER_KEY_B2,
                          .useKeyA = IDC_MF_USE_KEY_A2,
                          .useKeyB = IDC_MF_USE_KEY_B2,
                          .keyEdit = IDC_MF_KEY2,
                          .readButton = IDC_MF_READ2,
                          .writeButton = IDC_MF_WRITE2};
    // The purse works on the small sectors only.
    return {.reqIdl = IDC_MF4K_REQIDL,
            .halt = IDC_MF4K_HALT,
            .valueHexLabel = IDC_MF4K_VALUE_HEX_LABEL,
            .purseLastSector = kFirstLargeSector - 1,
            .windows = {std::move(small), std::move(large)}};
}

}  // namespace

CMifare4KPanel::CMifare4KPanel(PanelContext& context)
    : WithMessageMap(IDD_MIFARE_4K, context, Ids4K()) {}

std::span<const MessageEntry<CMifare4KPanel>> CMifare4KPanel::Messages() {
    using P = CMifare4KPanel;
    static const MessageEntry<P> map[] = {
        OnCommand<P>(IDC_MF4K_REQIDL, &P::OnReqIdl),
        OnCommand<P>(IDC_MF4K_HALT, &P::OnHalt),
    };
    return map;
}
