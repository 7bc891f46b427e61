#include "vantrel/toolkit/hex_page_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "support/hex_bytes.h"

using test_hex::Hex;

namespace {

// 16 rows of 4 bytes: 64 bytes, 192 characters a page.
HexPageModel SmallPages(size_t byteCount) {
    HexPageModel model;
    model.SetLayout(16, 4);
    Bytes bytes(byteCount);
    std::iota(bytes.begin(), bytes.end(), uint8_t{0});
    model.LoadBytes(bytes);
    return model;
}

}  // namespace

TEST(HexPageModelTest, LoadPadsToAWholePageAndPagesStayInRange) {
    HexPageModel empty = SmallPages(0);
    EXPECT_EQ(empty.ByteCount(), 64);
    EXPECT_EQ(empty.PageCount(), 1);
    EXPECT_EQ(empty.Content().substr(0, 6), L"00 00 ");

    HexPageModel model = SmallPages(100);  // a second page of 36 bytes
    EXPECT_EQ(model.Content().substr(0, 12), L"00 01 02 03 ");
    EXPECT_EQ(model.PageCount(), 2);
    EXPECT_FALSE(model.ShowPage(-1));
    EXPECT_FALSE(model.ShowPage(2));
    EXPECT_EQ(model.CurrentPage(), 0);
    ASSERT_TRUE(model.ShowPage(1));
    EXPECT_EQ(model.DisplayedText().substr(0, 3), L"40 ");

    // Typing past the end of a short last page changes nothing.
    const auto refused = model.Type(L'5', 36 * 3);
    EXPECT_FALSE(refused.changed);
    EXPECT_EQ(model.ChangedRange(), std::make_pair(-1, -1));
    EXPECT_EQ(model.RowBytes(25), Bytes{});  // beyond the content
    EXPECT_EQ(model.RowBytes(24), Hex("60616263"));
}

TEST(HexPageModelTest, TypedDigitsMarkTheChangedBytesAndRows) {
    HexPageModel model = SmallPages(64);
    auto typed = model.Type(L'5', 15);  // first digit of byte 5
    EXPECT_TRUE(typed.changed);
    EXPECT_EQ(typed.caret, 16);
    EXPECT_EQ(model.ChangedRange(), std::make_pair(15, 16));
    EXPECT_EQ(model.FirstChangedRow(), 1);
    EXPECT_EQ(model.LastChangedRow(), 1);
    EXPECT_EQ(model.ChangedBytes(), Hex("55"));

    typed = model.Type(L'a', 16);  // second digit: the caret jumps the space
    EXPECT_EQ(typed.caret, 18);
    EXPECT_EQ(model.Content().substr(15, 3), L"5a ");

    model.ClearChanges();
    EXPECT_EQ(model.ChangedBytes(), Bytes{});
    EXPECT_EQ(model.FirstChangedRow(), -1);
    model.Type(L'f', 10);  // second digit of byte 3
    model.Type(L'c', 27);  // first digit of byte 9
    EXPECT_EQ(model.FirstChangedByte(), 3);
    EXPECT_EQ(model.ChangedBytes(), Hex("0F045A060708C9"));  // bytes 3 to 9
}

TEST(HexPageModelTest, SpacesOnlyMoveTheCaretAndOtherKeysAndProtectedBytesAreRefused) {
    HexPageModel model = SmallPages(64);
    model.AddProtectedRange(4, 5);

    const auto onSpace = model.Type(L'1', 2);
    EXPECT_FALSE(onSpace.changed);
    EXPECT_EQ(onSpace.caret, 3);
    for (wchar_t c : {L'g', L'G', L' ', L'-'}) EXPECT_FALSE(model.Type(c, 0).changed);
    for (int caret : {12, 14, 17}) EXPECT_FALSE(model.Type(L'1', caret).changed) << caret;
    EXPECT_TRUE(model.Type(L'1', 18).changed);
    EXPECT_EQ(model.Content().substr(12, 9), L"04 05 16 ");

    EXPECT_EQ(model.ProtectedSpansOnPage(), (std::vector<std::pair<int, int>>{{12, 17}}));
    HexPageModel paged = SmallPages(128);
    paged.AddProtectedRange(60, 70);  // crosses into page 1
    paged.AddProtectedRange(2, 2);
    ASSERT_TRUE(paged.ShowPage(1));
    EXPECT_EQ(paged.ProtectedSpansOnPage(), (std::vector<std::pair<int, int>>{{0, 20}}));
}

TEST(HexPageModelTest, DroppedChangesGiveBackWhatTheCardHolds) {
    HexPageModel model = SmallPages(100);  // two pages, the second of 36 bytes
    model.Type(L'f', 0);                   // byte 0, marked
    model.Type(L'e', 3 * 4 * 3);           // byte 12 (row 3), marked, then written
    model.MarkWritten(12, 4);
    model.ClearChanges();
    model.Type(L'd', 20 * 3 + 1);          // byte 20: typed after the marks were cleared
    EXPECT_FALSE(model.TurnPage(2));
    EXPECT_EQ(model.Content().substr(0, 3), L"f0 ");

    ASSERT_TRUE(model.TurnPage(1));
    EXPECT_EQ(model.ChangedRange(), std::make_pair(-1, -1));
    EXPECT_EQ(model.ContentBytes().size(), 100u);
    EXPECT_EQ(model.Content().substr(0, 3), L"00 ");
    EXPECT_EQ(model.Content().substr(12 * 3, 6), L"eC 0D ");
    EXPECT_EQ(model.Content().substr(20 * 3, 3), L"14 ");

    model.MarkUnread(60, 4);  // row 15
    std::vector<bool> rows = model.RowsRead();
    ASSERT_EQ(rows.size(), 25u);
    EXPECT_TRUE(rows[14]);
    EXPECT_FALSE(rows[15]);
    EXPECT_TRUE(rows[24]);

    model.ZeroFill();
    model.DropChanges();
    EXPECT_EQ(model.ContentBytes(), Bytes(100, 0));
    rows = model.RowsRead();
    EXPECT_EQ(std::count(rows.begin(), rows.end(), true), 0);

    // The padding up to a whole page was not read: row 7 holds two read bytes.
    rows = SmallPages(30).RowsRead();
    ASSERT_EQ(rows.size(), 16u);
    EXPECT_TRUE(rows[6]);
    EXPECT_FALSE(rows[7]);
}
