#include "vantrel/panels/iso14443a/mifare_panel.h"

#include "vantrel/panels/iso14443a/mifare_ids.h"
#include "vantrel/panels/iso14443a/mifare_texts.h"

namespace {

using namespace mifare_text;

constexpr Caption kOwnCaptions[] = {
    {IDC_MF_REQIDL, kReqIdl},
    {IDC_MF_HALT, kHalt},
    {IDC_MF_VALUE_HEX_LABEL, kValueHex},
    {IDC_MF_GROUP3, kWindow},
    {IDC_MF_SECTOR_LABEL3, kSector},
    {IDC_MF_BLOCK_LABEL3, kBlock},
    {IDC_MF_KEY_LABEL3, kKey},
    {IDC_MF_USE_KEY_A3, kKeyA},
    {IDC_MF_USE_KEY_B3, kKeyB},
    {IDC_MF_READ3, kReadSector},
    {IDC_MF_WRITE3, kWriteBlock},
};

MifarePanelIds Ids1K() {
    return {.purseLastSector = 15,
            .windows = {OperationWindowIds(1, 0, 15), OperationWindowIds(2, 0, 15),
                        OperationWindowIds(3, 0, 15)},
            .ownCaptions = kOwnCaptions};
}

}  // namespace

CMifarePanel::CMifarePanel(PanelContext& context) : WithMessageMap(IDD_MIFARE_1K, context, Ids1K()) {}

std::span<const MessageEntry<CMifarePanel>> CMifarePanel::Messages() {
    using P = CMifarePanel;
    static const MessageEntry<P> map[] = {
        OnCommand<P>(IDC_MF_REQIDL, &P::OnReqIdl),
        OnCommand<P>(IDC_MF_HALT, &P::OnHalt),
        OnCommand<P>(IDC_MF_READ3, &P::ReadSector, 2),
        OnCommand<P>(IDC_MF_WRITE3, &P::WriteBlock, 2),
        OnCommand<P>(IDC_MF_SECTOR3, &P::OnWindowChoiceChanged, 2, CBN_SELCHANGE),
        OnCommand<P>(IDC_MF_BLOCK3, &P::OnWindowChoiceChanged, 2, CBN_SELCHANGE),
    };
    return map;
}
