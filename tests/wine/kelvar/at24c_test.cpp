// The AT24Cxx panel's sequences against the real library: the card chosen
// by the configuration, chunked reads, piecewise writes that outlive a
// reload, and the argument checks.
#include <gtest/gtest.h>

#include <vector>

#include "kelvar/status.h"
#include "kelvar_dll.h"

using namespace kelvar;

TEST(KelvarAt24c, TheDefaultAt24c64ReadsIn64ChunksAndKeepsTheWrittenPieces) {
    KelvarDll dll;
    ASSERT_TRUE(dll.Load());
    ASSERT_EQ(dll.Open(), kOk);
    uint8_t chunk[128] = {};
    EXPECT_EQ(dll.AT24_read(0, 0, 128, chunk), kNotSelected);  // not powered up yet
    ASSERT_EQ(dll.OpenCard(0), kOk);
    for (uint32_t k = 0; k < 64; ++k) ASSERT_EQ(dll.AT24_read(0, 128 * k, 128, chunk), kOk) << k;

    // Bytes 10 to 200 in the panel's two pieces.
    std::vector<uint8_t> changed(191);
    for (size_t i = 0; i < changed.size(); ++i) changed[i] = static_cast<uint8_t>(i + 1);
    ASSERT_EQ(dll.AT24_write(0, 10, 128, changed.data()), kOk);
    ASSERT_EQ(dll.AT24_write(0, 138, 63, changed.data() + 128), kOk);
    EXPECT_EQ(dll.AT24_write(0, 8191, 2, changed.data()), kBadArgument);
    EXPECT_EQ(dll.AT24_write(0, 0, 0, changed.data()), kBadArgument);
    EXPECT_EQ(dll.AT24_read(0, 0, 128, nullptr), kBadArgument);

    ASSERT_TRUE(dll.ReloadAndOpen());
    ASSERT_EQ(dll.OpenCard(0), kOk);
    std::vector<uint8_t> memory(256);
    ASSERT_EQ(dll.AT24_read(0, 0, 128, memory.data()), kOk);
    ASSERT_EQ(dll.AT24_read(0, 128, 128, memory.data() + 128), kOk);
    EXPECT_EQ(memory[9], 0xFF);
    EXPECT_EQ(std::vector<uint8_t>(memory.begin() + 10, memory.begin() + 201), changed);
    EXPECT_EQ(memory[201], 0xFF);
}

TEST(KelvarAt24c, TheConfigurationChoosesTheCardInTheSlot) {
    KelvarDll small("contact = at24c01");
    ASSERT_TRUE(small.Load());
    ASSERT_EQ(small.Open(), kOk);
    ASSERT_EQ(small.OpenCard(0), kOk);
    const uint8_t last = 0x5A;
    ASSERT_EQ(small.AT24_write(0, 127, 1, &last), kOk);
    EXPECT_EQ(small.AT24_write(0, 128, 1, &last), kBadArgument);
    uint8_t chunk[128] = {};
    ASSERT_EQ(small.AT24_read(0, 0, 128, chunk), kOk);
    EXPECT_EQ(chunk[127], 0x5A);
    small.Unload();

    KelvarDll empty("contact =");
    ASSERT_TRUE(empty.Load());
    ASSERT_EQ(empty.Open(), kOk);
    EXPECT_EQ(empty.OpenCard(0), kNoCard);
}
