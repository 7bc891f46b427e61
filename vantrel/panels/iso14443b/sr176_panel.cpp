#include "vantrel/panels/iso14443b/sr176_panel.h"

#include "vantrel/panels/iso14443b/sr176_ids.h"
#include "vantrel/toolkit/id_range.h"

namespace {

static_assert(IdsAreConsecutive({IDC_SR176_BLOCK0, IDC_SR176_BLOCK1, IDC_SR176_BLOCK2, IDC_SR176_BLOCK3,
                                 IDC_SR176_BLOCK4, IDC_SR176_BLOCK5, IDC_SR176_BLOCK6, IDC_SR176_BLOCK7,
                                 IDC_SR176_BLOCK8, IDC_SR176_BLOCK9, IDC_SR176_BLOCK10, IDC_SR176_BLOCK11,
                                 IDC_SR176_BLOCK12, IDC_SR176_BLOCK13, IDC_SR176_BLOCK14, IDC_SR176_BLOCK15}));

constexpr Caption kCaptions[] = {
    {IDC_SR176_REQUEST, {L"寻卡", L"Req"}},
    {IDC_SR176_READ, {L"读卡", L"Read Card"}},
    {IDC_SR176_WRITE, {L"写卡", L"Write Block"}},
    {IDC_SR176_LOCK, {L"块锁定", L"Lock"}},
};

constexpr StTagSetup kSetup{
    IDC_SR176_CHIP_ID, IDC_SR176_REQUEST, IDC_SR176_BLOCK_LIST, IDC_SR176_READ, IDC_SR176_WRITE,
    IDC_SR176_LOCK_REG, IDC_SR176_LOCK, CSr176Panel::kBlocks, CSr176Panel::kBlockSize, 4, 14,
    &ReaderLibrary::rf_sr176_readblock, &ReaderLibrary::rf_sr176_writeblock, &ReaderLibrary::rf_sr176_protectblock,
    kCaptions,
};

}  // namespace

CSr176Panel::CSr176Panel(PanelContext& context) : StTagPanel(IDD_SR176, context, kSetup) {}

BOOL CSr176Panel::OnInitDialog() {
    StTagPanel::OnInitDialog();
    for (std::size_t block = 0; block < blocks_.size(); ++block) {
        SetUpHexEdit(blocks_[block], IDC_SR176_BLOCK0 + static_cast<int>(block), kBlockSize);
    }
    ReplaceGroupBoxes({IDC_SR176_FRAME});
    SetContentHeightBelow(IDC_SR176_FRAME);
    return TRUE;
}

Bytes CSr176Panel::BlockBytes(int block) const { return blocks_.at(static_cast<std::size_t>(block)).GetBytes(); }

void CSr176Panel::ShowBlocks(const std::vector<std::wstring>& texts) {
    for (std::size_t block = 0; block < blocks_.size(); ++block) {
        blocks_[block].SetTextIfChanged(block < texts.size() ? texts[block] : std::wstring());
    }
}
