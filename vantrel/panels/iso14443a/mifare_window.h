// One operation window of a Mifare Classic panel: sector and block lists, the
// sector's blocks as hex fields (the trailer split into key A, access bits and
// key B), the key choice and the key, Read Sector and Write Block.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "vantrel/panels/iso14443a/mifare_blocks.h"
#include "vantrel/toolkit/number_list.h"
#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/card_panel_base.h"

struct MifareWindowIds {
    int group;
    int sectorLabel;
    int blockLabel;
    int keyLabel;
    int sectorList;
    int firstSector;
    int lastSector;
    int blockList;
    std::vector<int> dataEdits;  // blocks 0 to n-2 of the sector
    int trailerKeyA;
    int accessBits;
    int trailerKeyB;
    int useKeyA;
    int useKeyB;
    int keyEdit;
    int readButton;
    int writeButton;
};

// The ids of operation window `window` (1 to 3) of the templates, with the
// sectors its list offers; the 4K's large window replaces the data edits.
MifareWindowIds OperationWindowIds(int window, int firstSector, int lastSector);

class MifareWindow {
public:
    explicit MifareWindow(MifareWindowIds ids) : ids_(std::move(ids)) {}
    MifareWindow(const MifareWindow&) = delete;
    MifareWindow& operator=(const MifareWindow&) = delete;

    // Binds the controls of `panel`, fills the lists (first entries chosen),
    // sets the byte limits and chooses key A.
    void Attach(CardPanelBase& panel);

    const MifareWindowIds& Ids() const { return ids_; }
    int Sector() const { return sectors_.Selected(); }
    int BlockIndex() const { return blocks_.Selected(); }
    uint8_t KeyType() const;
    const ByteTextEdit& Key() const { return key_; }

    // Every hex field of the window, for the panel's fixed-pitch font.
    std::vector<HWND> HexFields() const;

    void ClearBlocks();
    // Block `index` of the sector, the trailer into its three fields.
    void ShowBlock(int index, std::span<const uint8_t, mifare::kBlockSize> block);
    // The 16 bytes to write to block `index` from what the fields hold.
    MifareBlock BlockToWrite(int index) const;
    // Write Block is disabled on the manufacturer block.
    void UpdateWriteButton() const;

private:
    bool IsTrailer(int index) const { return index == static_cast<int>(data_.size()); }

    MifareWindowIds ids_;
    HWND panel_ = nullptr;
    NumberList sectors_;
    NumberList blocks_;
    std::vector<std::unique_ptr<ByteTextEdit>> data_;
    ByteTextEdit trailerKeyA_;
    ByteTextEdit accessBits_;
    ByteTextEdit trailerKeyB_;
    ByteTextEdit key_;
};
