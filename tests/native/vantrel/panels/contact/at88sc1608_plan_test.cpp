#include "vantrel/panels/contact/at88sc1608_plan.h"

#include <gtest/gtest.h>

namespace {

TEST(At88sc1608PlanTest, PasswordChoicesAlternateWriteAndRead) {
    const auto choices = Sc1608PasswordChoices(8);
    EXPECT_EQ(choices[0].text, L"W0");
    EXPECT_EQ(choices[7].text, L"R3");
    EXPECT_EQ(choices[7].data, 11);
    EXPECT_EQ(choices[14].data, 7);  // W7, the secure code
    EXPECT_EQ(Sc1608PasswordChoices(50)[15].data, 57);
}

TEST(At88sc1608PlanTest, ConfigurationPiecesCoverEveryByteWithinEightByteBoundaries) {
    auto flat = [](const std::vector<Sc1608Piece>& pieces) {
        std::vector<int> v;
        for (const auto& p : pieces) v.insert(v.end(), {p.address, p.offset, p.length});
        return v;
    };
    // Twelve bytes from 0x3A: 6 to the boundary, then 6.
    EXPECT_EQ(flat(Sc1608ConfigPieces(0x3A, 12)), (std::vector<int>{0x3A, 0, 6, 0x40, 6, 6}));
    EXPECT_EQ(flat(Sc1608ConfigPieces(0, 12)), (std::vector<int>{0, 0, 8, 8, 8, 4}));
    EXPECT_EQ(flat(Sc1608ConfigPieces(0x7F, 1)), (std::vector<int>{0x7F, 0, 1}));
    EXPECT_EQ(Sc1608ConfigPieces(0, 128).size(), 16u);
}

}  // namespace
