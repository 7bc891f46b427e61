// Block and sector addressing of Mifare Classic 1K and 4K cards, for the
// program and the virtual cards alike. 1K: 16 sectors of 4 blocks. 4K:
// sectors 0 to 31 of 4 blocks, then sectors 32 to 39 of 16 blocks (blocks 128
// to 255). The last block of every sector is its trailer: key A, the access
// bits, key B.
#pragma once

#include <cstddef>

namespace mifare {

enum class CardSize { k1K, k4K };

inline constexpr std::size_t kBlockSize = 16;
inline constexpr int kFirstLargeSector = 32;
inline constexpr int kLastLargeSector = 39;

int BlockCount(CardSize size);
int SectorCount(CardSize size);

// For a block inside the 4K range (0 to 255); the 1K card uses the lower part.
int SectorOfBlock(int block);
int FirstBlockOfSector(int sector);
int BlocksInSector(int sector);
int TrailerOfSector(int sector);
bool IsTrailer(int block);

// Which of the four access-condition groups governs `block`: 0 to 2 for data
// blocks, 3 for the trailer. In a 16-block sector the data blocks 0-4, 5-9
// and 10-14 share groups 0, 1 and 2.
int AccessGroupOfBlock(int block);

}  // namespace mifare
