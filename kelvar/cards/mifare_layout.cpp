#include "kelvar/cards/mifare_layout.h"

namespace kelvar {

namespace {

constexpr int kSmallSectors = 32;       // sectors with 4 blocks
constexpr int kFirstLargeBlock = 128;   // first block of sector 32
constexpr int kLargeSectorBlocks = 16;

}  // namespace

int MifareBlockCount(MifareSize size) { return size == MifareSize::k1K ? 64 : 256; }

int MifareSectorCount(MifareSize size) { return size == MifareSize::k1K ? 16 : 40; }

int MifareSectorOfBlock(int block) {
    if (block < kFirstLargeBlock) return block / 4;
    return kSmallSectors + (block - kFirstLargeBlock) / kLargeSectorBlocks;
}

int MifareFirstBlockOfSector(int sector) {
    if (sector < kSmallSectors) return sector * 4;
    return kFirstLargeBlock + (sector - kSmallSectors) * kLargeSectorBlocks;
}

int MifareBlocksInSector(int sector) { return sector < kSmallSectors ? 4 : kLargeSectorBlocks; }

int MifareTrailerOfSector(int sector) {
    return MifareFirstBlockOfSector(sector) + MifareBlocksInSector(sector) - 1;
}

bool MifareIsTrailer(int block) { return block == MifareTrailerOfSector(MifareSectorOfBlock(block)); }

int MifareAccessGroupOfBlock(int block) {
    const int sector = MifareSectorOfBlock(block);
    const int index = block - MifareFirstBlockOfSector(sector);
    if (MifareBlocksInSector(sector) == 4) return index;
    return index == kLargeSectorBlocks - 1 ? 3 : index / 5;
}

}  // namespace kelvar
