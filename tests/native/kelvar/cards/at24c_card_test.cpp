#include "kelvar/cards/at24c_card.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/hex_bytes.h"
#include "ultralight_test_support.h"

using test_hex::Hex;
using test_hex::ToHex;

namespace kelvar {
namespace {

TEST(At24cCardTest, ModelsReadsRollOverAndWritesStayInTheCard) {
    ASSERT_EQ(FindAt24cModel("at24c01")->capacity, 128u);
    ASSERT_EQ(FindAt24cModel("at24c64")->capacity, 8192u);
    EXPECT_EQ(FindAt24cModel("at24c128"), nullptr);

    ImageStore store;
    At24cCard card(store, *FindAt24cModel("at24c04"));
    std::vector<uint8_t> out(4);
    ASSERT_EQ(card.Read(0, 4, out.data()), kOk);
    EXPECT_EQ(ToHex(out), "FFFFFFFF");  // erased

    ASSERT_EQ(card.Write(0x1FE, 2, Hex("A1A2").data()), kOk);
    ASSERT_EQ(card.Write(0x000, 2, Hex("B1B2").data()), kOk);
    ASSERT_EQ(card.Read(0x1FE, 4, out.data()), kOk);
    EXPECT_EQ(ToHex(out), "A1A2B1B2");  // the address counter rolls over

    EXPECT_EQ(card.Write(0x1FF, 2, Hex("0102").data()), kBadArgument);  // past the end
    EXPECT_EQ(card.Write(0x200, 1, Hex("01").data()), kBadArgument);
    EXPECT_EQ(card.Write(0, 0, Hex("01").data()), kBadArgument);
    EXPECT_EQ(card.Read(0, 257, out.data()), kBadArgument);
}

TEST(At24cCardTest, WritesPersistAndAFailedSaveChangesNothing) {
    ultralight_test::TempFolder folder;
    const At24cModel& model = *FindAt24cModel("at24c16");
    {
        ImageStore store(folder.Path());
        At24cCard card(store, model);
        ASSERT_EQ(card.Write(2000, 3, Hex("010203").data()), kOk);
    }
    ImageStore store(folder.Path());
    At24cCard again(store, model);
    std::vector<uint8_t> out(3);
    ASSERT_EQ(again.Read(2000, 3, out.data()), kOk);
    EXPECT_EQ(ToHex(out), "010203");

    ImageStore broken(folder.Unwritable());
    At24cCard unsaved(broken, model);
    EXPECT_EQ(unsaved.Write(0, 1, Hex("00").data()), kStoreFailed);
    ASSERT_EQ(unsaved.Read(0, 1, out.data()), kOk);
    EXPECT_EQ(out[0], 0xFF);
}

}  // namespace
}  // namespace kelvar
