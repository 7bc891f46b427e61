// The ISO 15693 panel's sequences against the real library: inventory,
// system information, the two read plans, writes that outlive a reload and
// a locked block that refuses the next write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kelvar/reader/vicinity_tags.h"
#include "kelvar/status.h"
#include "kelvar_dll.h"
#include "vantrel/toolkit/hex_text.h"

using namespace kelvar;

namespace {

constexpr uint8_t kPlain = 2;
constexpr uint8_t kOption = 6;

struct Chunk {
    uint8_t first, count;
};

// Runs a read plan: every chunk's data and every block's security status,
// or an empty result at the first failure or short answer.
std::vector<uint8_t> ReadPlan(KelvarDll& dll, const uint8_t* uid, std::initializer_list<Chunk> reads,
                              std::initializer_list<Chunk> security) {
    std::vector<uint8_t> all;
    uint8_t out[1024];
    uint8_t length = 0;
    for (const Chunk& c : reads) {
        if (dll.ISO15693_Read(0, kPlain, uid, c.first, c.count, out, &length) != kOk || length < 4 * c.count) return {};
        all.insert(all.end(), out, out + length);
    }
    for (const Chunk& c : security) {
        if (dll.ISO15693_Get_Block_Security(0, kPlain, uid, c.first, c.count, out, &length) != kOk ||
            length != c.count) {
            return {};
        }
        all.insert(all.end(), out, out + length);
    }
    return all;
}

std::vector<uint8_t> SliPlan(KelvarDll& dll, const uint8_t* uid) {
    return ReadPlan(dll, uid, {{0, 14}, {14, 14}}, {{0, 28}});
}

std::vector<uint8_t> TagItPlan(KelvarDll& dll, const uint8_t* uid) {
    return ReadPlan(dll, uid, {{0, 14}, {14, 14}, {28, 14}, {42, 14}, {56, 8}}, {{0, 28}, {28, 28}, {56, 8}});
}

}  // namespace

TEST(KelvarVicinityTags, InventoryInformationReadPlansAndWritesThatOutliveAReload) {
    KelvarDll dll;
    ASSERT_TRUE(dll.Load());
    ASSERT_EQ(dll.Open(), kOk);
    uint8_t out[1024] = {};
    uint8_t length = 0;
    EXPECT_EQ(dll.ISO15693_Inventorys(0, out, &length), kNoCard);  // RF mode 'A'
    ASSERT_EQ(dll.rf_init_type(0, '1'), kOk);
    ASSERT_EQ(dll.ISO15693_Inventorys(0, out, &length), kOk);
    ASSERT_EQ(length, 6 * 9);
    const std::vector<uint8_t> sli(out + 1, out + 9), tagIt(out + 10, out + 18);
    EXPECT_EQ(BytesToHex(sli), BytesToHex(kICodeSliProfile.uid));
    EXPECT_EQ(BytesToHex(tagIt), BytesToHex(kTagItProfile.uid));

    ASSERT_EQ(dll.ISO15693_Get_System_Information(0, kPlain, sli.data(), out, &length), kOk);
    ASSERT_GE(length, 12);
    EXPECT_EQ(out[9], kICodeSliProfile.dsfid);
    EXPECT_EQ(out[10], kICodeSliProfile.afi);
    ASSERT_EQ(SliPlan(dll, sli.data()).size(), 28u * 4 + 28);
    ASSERT_EQ(TagItPlan(dll, tagIt.data()).size(), 64u * 4 + 64);

    // The panel writes blocks 2 to 5 in its write mode; Tag-it needs mode 6.
    const uint8_t data[5] = {0x12, 0x34, 0x56, 0x78, 0x00};
    for (uint8_t block = 2; block <= 5; ++block) ASSERT_EQ(dll.ISO15693_Write(0, kPlain, sli.data(), block, data), kOk);
    EXPECT_EQ(dll.ISO15693_Write(0, kPlain, tagIt.data(), 63, data), kCardError);
    ASSERT_EQ(dll.ISO15693_Write(0, kOption, tagIt.data(), 63, data), kOk);
    ASSERT_EQ(dll.ISO15693_Write_DSFID(0, kPlain, sli.data(), 0x3C), kOk);
    ASSERT_EQ(dll.ISO15693_Lock_Block(0, kOption, tagIt.data(), 63), kOk);
    EXPECT_EQ(dll.ISO15693_Write(0, kOption, tagIt.data(), 63, data), kAccessDenied);

    ASSERT_TRUE(dll.ReloadAndOpen());
    ASSERT_EQ(dll.rf_init_type(0, '1'), kOk);
    const std::vector<uint8_t> sliMemory = SliPlan(dll, sli.data());
    ASSERT_EQ(sliMemory.size(), 28u * 4 + 28);
    EXPECT_EQ(BytesToHex(std::span(sliMemory).subspan(8, 16)), L"12345678123456781234567812345678");
    const std::vector<uint8_t> tagItMemory = TagItPlan(dll, tagIt.data());
    ASSERT_EQ(tagItMemory.size(), 64u * 4 + 64);
    EXPECT_EQ(BytesToHex(std::span(tagItMemory).subspan(63 * 4, 4)), L"12345678");
    EXPECT_EQ(tagItMemory.back(), 0x01);  // block 63 locked
    EXPECT_EQ(dll.ISO15693_Write(0, kOption, tagIt.data(), 63, data), kAccessDenied);
    ASSERT_EQ(dll.ISO15693_Get_System_Information(0, kPlain, sli.data(), out, &length), kOk);
    EXPECT_EQ(out[9], 0x3C);
    EXPECT_EQ(dll.ISO15693_Read(0, kPlain, sli.data(), 0, 15, out, &length), kBadArgument);
}

TEST(KelvarVicinityTags, MakerInventoriesPagesAndByteBlocksOutliveAReload) {
    KelvarDll dll;
    ASSERT_TRUE(dll.Load());
    ASSERT_EQ(dll.Open(), kOk);
    ASSERT_EQ(dll.rf_init_type(0, '1'), kOk);
    uint8_t out[1024] = {};
    uint8_t length = 0;
    ASSERT_EQ(dll.SRF55V_Inventorys(0, 0, out, &length), kOk);
    ASSERT_EQ(length, 3 * 9);
    const std::vector<uint8_t> v10p(out + 10, out + 18), v01p(out + 19, out + 27);
    EXPECT_EQ(BytesToHex(v01p), BytesToHex(kSrf55V01PProfile.uid));
    ASSERT_EQ(dll.ISO15693_Inventorys59(0, out, &length), kOk);
    ASSERT_EQ(length, 9);
    const std::vector<uint8_t> sri64(out + 1, out + 9);
    EXPECT_EQ(BytesToHex(sri64), BytesToHex(kSri64Profile.uid));

    const uint8_t page[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    length = 8;
    ASSERT_EQ(dll.Srf55vp_Write_Reread(0, v10p.data(), 127, page, out, &length), kOk);
    EXPECT_EQ(BytesToHex(out, length), L"0102030405060708");
    ASSERT_EQ(dll.SRI64_Write(0, kPlain, sri64.data(), 9, 0x5A), kOk);

    ASSERT_TRUE(dll.ReloadAndOpen());
    ASSERT_EQ(dll.rf_init_type(0, '1'), kOk);
    ASSERT_EQ(dll.Srf55vp_Read(0, v10p.data(), 127, out, &length), kOk);
    EXPECT_EQ(BytesToHex(out, length), L"0102030405060708");
    EXPECT_EQ(dll.Srf55vp_Read(0, v10p.data(), 128, out, &length), kBadArgument);
    ASSERT_EQ(dll.ISO15693_Read(0, kPlain, sri64.data(), 9, 1, out, &length), kOk);
    EXPECT_EQ(BytesToHex(out, length), L"5A00");
}
