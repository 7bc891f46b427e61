#include "vantrel/panels/iso14443a/mifare_4k_panel.h"

#include "vantrel/panels/iso14443a/mifare_4k_ids.h"
#include "vantrel/panels/iso14443a/mifare_texts.h"

namespace {

constexpr Caption kOwnCaptions[] = {
    {IDC_MF4K_REQIDL, mifare_text::kReqIdl},
    {IDC_MF4K_HALT, mifare_text::kHalt},
    {IDC_MF4K_VALUE_HEX_LABEL, mifare_text::kValueHex},
};

MifarePanelIds Ids4K() {
    MifareWindowIds large = OperationWindowIds(2, mifare::kFirstLargeSector, mifare::kLastLargeSector);
    large.dataEdits = {IDC_MF4K_DATA2_0,  IDC_MF4K_DATA2_1,  IDC_MF4K_DATA2_2,  IDC_MF4K_DATA2_3,
                       IDC_MF4K_DATA2_4,  IDC_MF4K_DATA2_5,  IDC_MF4K_DATA2_6,  IDC_MF4K_DATA2_7,
                       IDC_MF4K_DATA2_8,  IDC_MF4K_DATA2_9,  IDC_MF4K_DATA2_10, IDC_MF4K_DATA2_11,
                       IDC_MF4K_DATA2_12, IDC_MF4K_DATA2_13, IDC_MF4K_DATA2_14};
    // The purse works on the small sectors only.
    return {.purseLastSector = mifare::kFirstLargeSector - 1,
            .windows = {OperationWindowIds(1, 0, mifare::kFirstLargeSector - 1), std::move(large)},
            .ownCaptions = kOwnCaptions};
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
