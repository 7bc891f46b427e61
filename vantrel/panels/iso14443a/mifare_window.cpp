#include "vantrel/panels/iso14443a/mifare_window.h"

void MifareWindow::Attach(HWND panel) {
    panel_ = panel;
    sectors_.Attach(GetDlgItem(panel, ids_.sectorList));
    sectors_.Fill(ids_.firstSector, ids_.lastSector);
    blocks_.Attach(GetDlgItem(panel, ids_.blockList));
    blocks_.Fill(0, BlocksInSector(ids_.firstSector) - 1);

    for (int id : ids_.dataEdits) {
        auto edit = std::make_unique<ByteTextEdit>();
        edit->Subclass(panel, id);
        edit->SetByteLimit(kMifareBlockSize);
        data_.push_back(std::move(edit));
    }
    trailerKeyA_.Subclass(panel, ids_.trailerKeyA);
    trailerKeyA_.SetByteLimit(kTrailerKeyASize);
    accessBits_.Subclass(panel, ids_.accessBits);
    accessBits_.SetByteLimit(kAccessBitsSize);
    trailerKeyB_.Subclass(panel, ids_.trailerKeyB);
    trailerKeyB_.SetByteLimit(kTrailerKeyBSize);
    key_.Subclass(panel, ids_.keyEdit);
    key_.SetByteLimit(kMifareKeySize);

    CheckDlgButton(panel, ids_.useKeyA, BST_CHECKED);
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

void MifareWindow::ShowBlock(int index, std::span<const uint8_t, kMifareBlockSize> block) {
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
