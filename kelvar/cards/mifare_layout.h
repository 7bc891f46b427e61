// Block and sector addressing of the Mifare Classic 1K and 4K memory.
// 1K: 16 sectors of 4 blocks. 4K: sectors 0 to 31 of 4 blocks, then
// sectors 32 to 39 of 16 blocks (blocks 128 to 255). The last block of every
// sector is its trailer (keys and access bits).
#pragma once

namespace kelvar {

enum class MifareSize { k1K, k4K };

inline constexpr int kMifareBlockSize = 16;

int MifareBlockCount(MifareSize size);
int MifareSectorCount(MifareSize size);

// For a block inside the 4K range (0 to 255); the 1K card uses the lower part.
int MifareSectorOfBlock(int block);
int MifareFirstBlockOfSector(int sector);
int MifareBlocksInSector(int sector);
int MifareTrailerOfSector(int sector);
bool MifareIsTrailer(int block);

// Which of the four access-condition groups governs `block`: 0 to 2 for data
// blocks, 3 for the trailer. In a 16-block sector the data blocks 0-4, 5-9
// and 10-14 share groups 0, 1 and 2.
int MifareAccessGroupOfBlock(int block);

}  // namespace kelvar
