#include "common/at88sc_cipher.h"

namespace at88sc {

namespace {

uint8_t Rotate5(uint8_t x) { return static_cast<uint8_t>(((x << 1) & 0x1F) | ((x >> 4) & 1)); }
uint8_t Rotate7(uint8_t x) { return static_cast<uint8_t>(((x << 1) & 0x7F) | ((x >> 6) & 1)); }

// A sum past `modulus` is reduced modulo it, a reduced 0 standing for the
// modulus itself; sums within the bound stay (so 0 + 0 stays 0).
uint8_t Reduce(unsigned sum, unsigned modulus) {
    if (sum <= modulus) return static_cast<uint8_t>(sum);
    const unsigned reduced = sum % modulus;
    return static_cast<uint8_t>(reduced == 0 ? modulus : reduced);
}

}  // namespace

void Cipher::Step(uint8_t r, uint8_t l, uint8_t m) {
    const auto oldR = r_;
    r_[0] = Reduce(oldR[3] + Rotate5(oldR[6]), 31);
    r_[1] = oldR[0];
    r_[2] = oldR[1];
    r_[3] = oldR[2] ^ r;
    r_[4] = oldR[3];
    r_[5] = oldR[4];
    r_[6] = oldR[5];

    const auto oldM = m_;
    m_[0] = Reduce(oldM[5] + Rotate7(oldM[6]), 127);
    m_[1] = oldM[0];
    m_[2] = oldM[1];
    m_[3] = oldM[2];
    m_[4] = oldM[3];
    m_[5] = oldM[4] ^ m;
    m_[6] = oldM[5];

    const auto oldL = l_;
    l_[0] = Reduce(oldL[2] + oldL[4], 31);
    l_[1] = oldL[0];
    l_[2] = oldL[1] ^ l;
    l_[3] = oldL[2];
    l_[4] = oldL[3];
}

void Cipher::Feed(uint8_t byte) {
    Step(byte & 0x1F, byte >> 3, static_cast<uint8_t>(((byte & 0x0F) << 3) | (byte >> 5)));
}

uint8_t Cipher::NextNibble() {
    Step(0, 0, 0);
    return static_cast<uint8_t>((((r_[0] ^ r_[4]) & ~m_[0]) | ((l_[0] ^ l_[3]) & m_[0])) & 0x0F);
}

uint8_t Cipher::NextByte() {
    NextNibble();
    const uint8_t high = NextNibble();
    NextNibble();
    const uint8_t low = NextNibble();
    return static_cast<uint8_t>(high << 4 | low);
}

Block Answer(const Block& cryptogram, const Block& seed, const Block& q0) {
    Cipher cipher;
    for (int i = 0; i < 4; ++i) {
        cipher.Feed(cryptogram[2 * i]);
        cipher.Feed(cryptogram[2 * i + 1]);
        cipher.Feed(q0[i]);
    }
    for (int i = 0; i < 4; ++i) {
        cipher.Feed(seed[2 * i]);
        cipher.Feed(seed[2 * i + 1]);
        cipher.Feed(q0[i + 4]);
    }
    Block q1{};
    for (uint8_t& byte : q1) {
        cipher.NextByte();
        byte = cipher.NextByte();
    }
    return q1;
}

}  // namespace at88sc
