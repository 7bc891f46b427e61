// The AT88SC authentication cipher: any cryptogram, seed and challenge give an
// answer, the same one every time.
#include <algorithm>

#include "common/at88sc_cipher.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    at88sc::Block cryptogram{}, seed{}, q0{};
    for (auto* block : {&cryptogram, &seed, &q0}) {
        const auto bytes = in.Take(block->size());
        std::copy(bytes.begin(), bytes.end(), block->begin());
    }
    FUZZ_CHECK(at88sc::Answer(cryptogram, seed, q0) == at88sc::Answer(cryptogram, seed, q0));

    at88sc::Cipher cipher;
    while (!in.Empty()) cipher.Feed(in.Byte());
    for (int i = 0; i < 16; ++i) FUZZ_CHECK(cipher.NextNibble() < 16);
    return 0;
}
