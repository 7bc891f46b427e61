#include "vantrel/reader/binding_table.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

// The reader maker's ordinals are bound, all required but eight; ordinals of
// our own beyond them are optional, so that the maker's library still loads.
TEST(BindingTable, TheMakersOrdinalsAreBoundAndOnlyOurOwnAndEightOfTheirsAreOptional) {
    std::set<int> makers;
    for (auto [first, last] : {std::pair{1, 82}, {100, 101}, {360, 362}, {380, 383}, {400, 404}, {410, 410},
                               {420, 422}, {430, 432}, {450, 450}, {452, 452}, {460, 461}}) {
        for (int o = first; o <= last; ++o) makers.insert(o);
    }
    const std::set<int> optional{8, 380, 383, 410, 421, 422, 450, 452};
    int previous = 0;
    std::set<int> bound;
    for (const BoundOrdinal& e : BindingTable()) {
        EXPECT_GT(e.ordinal, previous) << "lookups need ascending ordinals";
        previous = e.ordinal;
        bound.insert(e.ordinal);
        const bool mayBeMissing = !makers.contains(e.ordinal) || optional.contains(e.ordinal);
        EXPECT_EQ(e.required, !mayBeMissing) << e.ordinal;
        EXPECT_EQ(FindBoundOrdinal(e.ordinal), &e);
    }
    for (int o : makers) EXPECT_TRUE(bound.contains(o)) << o;
    EXPECT_STREQ(FindBoundOrdinal(59)->name, "ISO15693_Inventorys");
    EXPECT_STREQ(FindBoundOrdinal(400)->name, "ISO15693_Inventorys");
    EXPECT_EQ(FindBoundOrdinal(83), nullptr);
    EXPECT_EQ(FindBoundOrdinal(0), nullptr);
}
