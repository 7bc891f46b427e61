// The AT88SC1608 panel's choices and pieces: the password list, the
// configuration zone's 8-byte chunks and the pieces a write goes in.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kSc1608ConfigSize = 128;
inline constexpr int kSc1608ZoneSize = 256;
inline constexpr int kSc1608Chunk = 8;
inline constexpr uint8_t kSc1608ConfigZone = 8;
inline constexpr uint8_t kSc1608SecureCodeIndex = 7;
inline constexpr uint8_t kSc1608CryptogramAddress = 0x28;
inline constexpr int kSc1608PasswordSize = 3;
inline constexpr int kSc1608BlockSize = 8;  // Gc, Q0 and Q1

struct Sc1608Choice {
    std::wstring text;  // "W0", "R0", ...
    int data;
};

// W0, R0, W1, R1, ..., W7, R7; Wn carries n, Rn carries n + `readBase`
// (8 for the password index, 50 in the hidden address list).
std::array<Sc1608Choice, 16> Sc1608PasswordChoices(int readBase);

struct Sc1608Piece {
    int address;  // zone address of the first byte
    int offset;   // where the piece starts in the bytes written
    int length;   // 1..8
};

// `count` bytes from `start` in pieces that never cross an 8-byte boundary.
std::vector<Sc1608Piece> Sc1608ConfigPieces(int start, int count);
