#include "vantrel/reader/virtual_card_table.h"

#include <gtest/gtest.h>

#include <set>

TEST(VirtualCardTable, EveryCardIsListedOnceAndIsSomeCardTypesOwn) {
    std::set<VirtualCard> listed, owned;
    for (const VirtualCardRow& row : VirtualCardRows()) {
        EXPECT_TRUE(listed.insert(row.card).second) << int(row.card);
        EXPECT_FALSE(row.name.empty());
    }
    EXPECT_EQ(listed.size(), size_t{virtual_cards::kCardCount});
    for (int32_t code = 0; code < 30; ++code) {
        const auto cards = CardsOfCardType(code);
        ASSERT_TRUE(cards) << code;
        owned.insert(cards->begin(), cards->end());
    }
    EXPECT_EQ(owned, listed);
}

TEST(VirtualCardTable, TheSamAndCodesWithoutAPanelOfTheirOwn) {
    EXPECT_TRUE(CardsOfCardType(11)->empty());  // the SAM slot holds the one SAM
    EXPECT_EQ(CardsOfCardType(25)->size(), 2u);  // pass-through: type B and ISO 15693
    for (const int32_t code : {-1, 30, 255}) EXPECT_FALSE(CardsOfCardType(code)) << code;
}
