#include "common/mifare_layout.h"

namespace mifare {

namespace {

constexpr int kFirstLargeBlock = 128;
constexpr int kSmallSectorBlocks = 4;
constexpr int kLargeSectorBlocks = 16;

}  // namespace

int BlockCount(CardSize size) { return size == CardSize::k1K ? 64 : 256; }

int SectorCount(CardSize size) { return size == CardSize::k1K ? 16 : kLastLargeSector + 1; }

int SectorOfBlock(int block) {
    if (block < kFirstLargeBlock) return block / kSmallSectorBlocks;
    return kFirstLargeSector + (block - kFirstLargeBlock) / kLargeSectorBlocks;
}

int FirstBlockOfSector(int sector) {
    if (sector < kFirstLargeSector) return sector * kSmallSectorBlocks;
    return kFirstLargeBlock + (sector - kFirstLargeSector) * kLargeSectorBlocks;
}

int BlocksInSector(int sector) { return sector < kFirstLargeSector ? kSmallSectorBlocks : kLargeSectorBlocks; }

int TrailerOfSector(int sector) { return FirstBlockOfSector(sector) + BlocksInSector(sector) - 1; }

bool IsTrailer(int block) { return block == TrailerOfSector(SectorOfBlock(block)); }

int AccessGroupOfBlock(int block) {
    const int sector = SectorOfBlock(block);
    const int index = block - FirstBlockOfSector(sector);
    if (BlocksInSector(sector) == kSmallSectorBlocks) return index;
    return index == kLargeSectorBlocks - 1 ? 3 : index / 5;
}

}  // namespace mifare
