#include "vantrel/panels/contact/at88sc1608_plan.h"

#include <algorithm>

std::array<Sc1608Choice, 16> Sc1608PasswordChoices(int readBase) {
    std::array<Sc1608Choice, 16> choices;
    for (int n = 0; n < 8; ++n) {
        choices[2 * n] = {L"W" + std::to_wstring(n), n};
        choices[2 * n + 1] = {L"R" + std::to_wstring(n), n + readBase};
    }
    return choices;
}

std::vector<Sc1608Piece> Sc1608ConfigPieces(int start, int count) {
    std::vector<Sc1608Piece> pieces;
    for (int offset = 0; offset < count;) {
        const int address = start + offset;
        const int length = std::min(kSc1608Chunk - address % kSc1608Chunk, count - offset);
        pieces.push_back({address, offset, length});
        offset += length;
    }
    return pieces;
}
