// The seven AT24Cxx memory cards as the panel sees them: capacity, editor
// layout, and the 128-byte pieces that reads and writes go in.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int kAt24FirstCode = 13;
inline constexpr int kAt24LastCode = 19;
inline constexpr int kAt24Chunk = 128;
inline constexpr int kAt24MaxCapacity = 8192;

struct At24Geometry {
    int capacity;     // bytes
    int rows;         // editor lines a page
    int bytesPerRow;  // bytes a line in the editor's layout
};

// The geometry of codes 13 (AT24C01) to 19 (AT24C64); other codes get the AT24C01's.
At24Geometry At24GeometryOf(int code);

struct At24Piece {
    uint32_t address;  // card address of the first byte
    int offset;        // where the piece starts in the bytes written
    int length;        // 1..128
};

// `count` bytes from `start` in consecutive pieces of 128, the last one the rest.
std::vector<At24Piece> At24WritePieces(int start, int count);
