#include "vantrel/reader/binding_table.h"

#include <gtest/gtest.h>

#include <vector>

TEST(BindingTable, BindsExactlyTheListedOrdinalsInOrder) {
    std::vector<int> expected;
    for (int o = 1; o <= 82; ++o) expected.push_back(o);
    for (int o : {100, 101, 360, 361, 362, 380, 381, 382, 383, 400, 401, 402, 403, 404, 410,
                  420, 421, 422, 430, 431, 432, 450, 452, 460, 461, 900, 901, 902, 903, 904})
        expected.push_back(o);

    std::vector<int> actual;
    for (const auto& e : BindingTable()) actual.push_back(e.ordinal);
    EXPECT_EQ(actual, expected);
}

TEST(BindingTable, OnlyTheOptionalOrdinalsMayBeMissing) {
    std::vector<int> optional;
    for (const auto& e : BindingTable())
        if (!e.required) optional.push_back(e.ordinal);
    // The eight of the reader maker's library, then the virtual field's own.
    EXPECT_EQ(optional, (std::vector<int>{8, 380, 383, 410, 421, 422, 450, 452, 900, 901, 902, 903, 904}));
}

TEST(BindingTable, FindsEntriesByOrdinal) {
    ASSERT_NE(FindBoundOrdinal(4), nullptr);
    EXPECT_STREQ(FindBoundOrdinal(4)->name, "rf_init_com");
    EXPECT_STREQ(FindBoundOrdinal(400)->name, "ISO15693_Inventorys");
    EXPECT_STREQ(FindBoundOrdinal(59)->name, "ISO15693_Inventorys");
    EXPECT_EQ(FindBoundOrdinal(83), nullptr);
    EXPECT_EQ(FindBoundOrdinal(0), nullptr);
    EXPECT_EQ(FindBoundOrdinal(462), nullptr);
}
