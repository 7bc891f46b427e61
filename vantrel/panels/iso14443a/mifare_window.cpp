#include "vantrel/panels/iso14443a/mifare_window.h"

#include "vantrel/panels/iso14443a/mifare_ids.h"
#include "vantrel/toolkit/first_choice.h"

void MifareWindow::Attach(CardPanelBase& panel) {
    panel_ = panel;
    panel.Bind(sectors_, ids_.sectorList);
    sectors_.Fill(ids_.firstSector, ids_.lastSector);
    panel.Bind(blocks_, ids_.blockList);
    blocks_.Fill(0, mifare::BlocksInSector(ids_.firstSector) - 1);

    for (int id : ids_.dataEdits) {
        auto edit = std::make_unique<ByteTextEdit>();
        panel.Bind(*edit, id);
        edit->SetByteLimit(mifare::kBlockSize);
        data_.push_back(std::move(edit));
    }
    panel.Bind(trailerKeyA_, ids_.trailerKeyA);
    trailerKeyA_.SetByteLimit(kTrailerKeyASize);
    panel.Bind(accessBits_, ids_.accessBits);
    accessBits_.SetByteLimit(kAccessBitsSize);
    panel.Bind(trailerKeyB_, ids_.trailerKeyB);
    trailerKeyB_.SetByteLimit(kTrailerKeyBSize);
    panel.Bind(key_, ids_.keyEdit);
    key_.SetByteLimit(kMifareKeySize);

    CheckFirstChoice(GetDlgItem(panel, ids_.useKeyA));
    UpdateWriteButton();
}

uint8_t MifareWindow::KeyType() const {
    return IsDlgButtonChecked(panel_, ids_.useKeyA) == BST_CHECKED ? kMifareKeyA : kMifareKeyB;
}

std::vector<HWND> MifareWindow::HexFields() const {
    std::vector<HWND> fields;
    for (const auto& edit : data_) fields.push_back(*edit);
    for (const ByteTextEdit* edit : {&trailerKeyA_, &accessBits_, &trailerKeyB_, &key_})
        fields.push_back(*edit);
    return fields;
}

void MifareWindow::ClearBlocks() {
    for (const auto& edit : data_) edit->Clear();
    trailerKeyA_.Clear();
    accessBits_.Clear();
    trailerKeyB_.Clear();
}

void MifareWindow::ShowBlock(int index, std::span<const uint8_t, mifare::kBlockSize> block) {
    if (!IsTrailer(index)) {
        data_[static_cast<size_t>(index)]->SetBytes(block.data(), block.size());
        return;
    }
    const TrailerFields fields = SplitTrailer(block);
    trailerKeyA_.SetBytes(fields.keyA);
    accessBits_.SetBytes(fields.accessBits);
    trailerKeyB_.SetBytes(fields.keyB);
}

MifareBlock MifareWindow::BlockToWrite(int index) const {
    if (!IsTrailer(index)) return DataBlock(data_[static_cast<size_t>(index)]->GetBytes());
    return TrailerBlock({trailerKeyA_.GetBytes(), accessBits_.GetBytes(), trailerKeyB_.GetBytes()});
}

void MifareWindow::UpdateWriteButton() const {
    EnableWindow(GetDlgItem(panel_, ids_.writeButton), !IsManufacturerBlock(Sector(), BlockIndex()));
}

MifareWindowIds OperationWindowIds(int window, int firstSector, int lastSector) {
    static const MifareWindowIds kWindows[] = {
        MifareWindowIds{.group = IDC_MF_GROUP1,
                        .sectorLabel = IDC_MF_SECTOR_LABEL1,
                        .blockLabel = IDC_MF_BLOCK_LABEL1,
                        .keyLabel = IDC_MF_KEY_LABEL1,
                        .sectorList = IDC_MF_SECTOR1,
                        .firstSector = 0,
                        .lastSector = 0,
                        .blockList = IDC_MF_BLOCK1,
                        .dataEdits = {IDC_MF_DATA1_0, IDC_MF_DATA1_1, IDC_MF_DATA1_2},
                        .trailerKeyA = IDC_MF_TRAILER_KEY_A1,
                        .accessBits = IDC_MF_ACCESS1,
                        .trailerKeyB = IDC_MF_TRAILER_KEY_B1,
                        .useKeyA = IDC_MF_USE_KEY_A1,
                        .useKeyB = IDC_MF_USE_KEY_B1,
                        .keyEdit = IDC_MF_KEY1,
                        .readButton = IDC_MF_READ1,
                        .writeButton = IDC_MF_WRITE1},
        MifareWindowIds{.group = IDC_MF_GROUP2,
                        .sectorLabel = IDC_MF_SECTOR_LABEL2,
                        .blockLabel = IDC_MF_BLOCK_LABEL2,
                        .keyLabel = IDC_MF_KEY_LABEL2,
                        .sectorList = IDC_MF_SECTOR2,
                        .firstSector = 0,
                        .lastSector = 0,
                        .blockList = IDC_MF_BLOCK2,
                        .dataEdits = {IDC_MF_DATA2_0, IDC_MF_DATA2_1, IDC_MF_DATA2_2},
                        .trailerKeyA = IDC_MF_TRAILER_KEY_A2,
                        .accessBits = IDC_MF_ACCESS2,
                        .trailerKeyB = IDC_MF_TRAILER_KEY_B2,
                        .useKeyA = IDC_MF_USE_KEY_A2,
                        .useKeyB = IDC_MF_USE_KEY_B2,
                        .keyEdit = IDC_MF_KEY2,
                        .readButton = IDC_MF_READ2,
                        .writeButton = IDC_MF_WRITE2},
        MifareWindowIds{.group = IDC_MF_GROUP3,
                        .sectorLabel = IDC_MF_SECTOR_LABEL3,
                        .blockLabel = IDC_MF_BLOCK_LABEL3,
                        .keyLabel = IDC_MF_KEY_LABEL3,
                        .sectorList = IDC_MF_SECTOR3,
                        .firstSector = 0,
                        .lastSector = 0,
                        .blockList = IDC_MF_BLOCK3,
                        .dataEdits = {IDC_MF_DATA3_0, IDC_MF_DATA3_1, IDC_MF_DATA3_2},
                        .trailerKeyA = IDC_MF_TRAILER_KEY_A3,
                        .accessBits = IDC_MF_ACCESS3,
                        .trailerKeyB = IDC_MF_TRAILER_KEY_B3,
                        .useKeyA = IDC_MF_USE_KEY_A3,
                        .useKeyB = IDC_MF_USE_KEY_B3,
                        .keyEdit = IDC_MF_KEY3,
                        .readButton = IDC_MF_READ3,
                        .writeButton = IDC_MF_WRITE3},
    };
    MifareWindowIds ids = kWindows[window - 1];
    ids.firstSector = firstSector;
    ids.lastSector = lastSector;
    return ids;
}
