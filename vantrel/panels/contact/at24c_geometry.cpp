#include "vantrel/panels/contact/at24c_geometry.h"

#include <algorithm>

At24Geometry At24GeometryOf(int code) {
    switch (code) {
    case 14: return {256, 16, 16};
    case 15: return {512, 16, 16};
    case 16: return {1024, 16, 16};
    case 17: return {2048, 16, 16};
    case 18: return {4096, 16, 16};
    case 19: return {8192, 16, 16};
    default: return {128, 16, 8};
    }
}

std::vector<At24Piece> At24WritePieces(int start, int count) {
    std::vector<At24Piece> pieces;
    for (int offset = 0; offset < count; offset += kAt24Chunk) {
        pieces.push_back({static_cast<uint32_t>(start + offset), offset,
                          std::min(kAt24Chunk, count - offset)});
    }
    return pieces;
}
