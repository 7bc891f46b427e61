// The AT88RF020 panel: the search with its answer length, the page grid
// around the password page, the input checks and the write layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "support/list_helpers.h"
#include "support/panel_harness.h"
#include "vantrel/panels/iso14443b/at88rf020_ids.h"
#include "vantrel/panels/iso14443b/at88rf020_panel.h"

namespace {

const Calls kSearchAttempt = {"rf_antenna_sta(0, 0)", "Wait(20)", "rf_init_type(0, 114)", "Wait(20)",
                              "rf_antenna_sta(0, 1)", "Wait(50)", "rf_atqb(0, 0, *, *)"};

class At88rf020PanelTest : public ::testing::Test {
protected:
    PanelHarness<CAt88rf020Panel> h;
};

TEST_F(At88rf020PanelTest, AnAtqbOfAnotherLengthThanTwelveIsAFailedAttempt) {
    EXPECT_EQ(ListNumbers(h.Item(IDC_AT020_PAGE_LIST)).front(), 1);
    EXPECT_EQ(ListNumbers(h.Item(IDC_AT020_PAGE_LIST))[1], 3);
    const auto serve = [this](std::size_t length) {
        h.script.On(h.script.library.rf_atqb, [length](int32_t, uint8_t, uint8_t* out, uint8_t* answerLength) {
            // Zeros after the PUPI, built at full length (a resize draws a false
            // -Warray-bounds from GCC 12).
            std::vector<uint8_t> atqb(length, 0);
            const uint8_t head[] = {0x50, 0xAA, 0xBB, 0xCC, 0xDD};
            std::copy(std::begin(head), std::end(head), atqb.begin());
            Answer(out, answerLength, atqb);
            return 0;
        });
    };
    Calls twice = kSearchAttempt;
    twice.insert(twice.end(), kSearchAttempt.begin(), kSearchAttempt.end());
    h.SetText(IDC_AT020_PAGE3, L"33");
    h.SetText(IDC_AT020_PAGE0_LOW, L"99");
    for (const std::size_t length : {10u, 11u, 13u}) {
        SCOPED_TRACE(length);
        h.SetText(IDC_AT020_PUPI, L"01020304");
        serve(length);
        h.script.ClearLog();
        const int beeps = h.services.beeps;
        h.Click(IDC_AT020_REQB);
        EXPECT_EQ(h.script.Log(), twice);
        EXPECT_EQ(h.Text(IDC_AT020_PUPI), L"");
        EXPECT_EQ(h.services.beeps, beeps + 2);
        EXPECT_EQ(h.services.status.rfind(L"Error", 0), 0u);
    }
    EXPECT_EQ(h.Text(IDC_AT020_PAGE0_LOW), L"");
    EXPECT_EQ(h.Text(IDC_AT020_PAGE3), L"33");

    serve(12);
    h.Click(IDC_AT020_REQB);
    EXPECT_EQ(h.Text(IDC_AT020_PUPI), L"AABBCCDD");
    EXPECT_EQ(GetFocus(), h.Item(IDC_AT020_PASSWORD));
    EXPECT_EQ(h.services.status, L"OK");
}

TEST_F(At88rf020PanelTest, ReadSkipsThePasswordPageAndSplitsTheFirstPages) {
    h.SetText(IDC_AT020_PAGE3, L"33");
    h.script.On(h.script.library.rf_at020_read, [](int32_t, uint8_t page, uint8_t* out, uint8_t* length) {
        Answer(out, length, {page, 1, 2, 3, 4, 5, 6, 7});
        return 0;
    });
    h.Click(IDC_AT020_READ);
    EXPECT_EQ(h.script.Log().size(), 31u);
    EXPECT_EQ(h.Text(IDC_AT020_PAGE0_LOW), L"00010203");
    EXPECT_EQ(h.Text(IDC_AT020_PAGE1_HIGH), L"04050607");
    EXPECT_EQ(h.Text(IDC_AT020_PAGE2_SIGNATURE), L"020102030405");
    EXPECT_EQ(h.Text(IDC_AT020_PAGE2_COUNT), L"0607");
    EXPECT_EQ(h.Text(IDC_AT020_PAGE3), L"33");
    EXPECT_EQ(h.Text(IDC_AT020_PAGE31), L"1F01020304050607");
    EXPECT_EQ(h.services.status, L"OK");

    h.script.On(h.script.library.rf_at020_read, [](int32_t, uint8_t page, uint8_t* out, uint8_t* length) {
        if (page == 9) return 0x0B;
        Answer(out, length, {page, 1, 2, 3, 4, 5, 6, 7});
        return 0;
    });
    h.Click(IDC_AT020_READ);
    EXPECT_EQ(h.Text(IDC_AT020_PAGE3 + 5), L"0801020304050607");
    EXPECT_EQ(h.Text(IDC_AT020_PAGE3 + 6), L"");
    EXPECT_EQ(h.services.status, L"Error: b ,function: Read Page: 9 error!");
}

TEST_F(At88rf020PanelTest, InputChecksCallNothingAndWritesPadWithZeros) {
    h.SetText(IDC_AT020_LOCK_BYTES, L"010203");
    h.Click(IDC_AT020_LOCK);
    h.SetText(IDC_AT020_PASSWORD, L"FFFF");
    h.Click(IDC_AT020_CHECK);
    h.Click(IDC_AT020_COUNT);
    EXPECT_TRUE(h.script.Log().empty());
    ASSERT_EQ(h.services.boxes.size(), 3u);
    EXPECT_EQ(h.services.boxes[0].text, L"Input 4 byte in Lock text please!");
    EXPECT_EQ(h.services.boxes[1].text, L"Input 8 byte in key text please!");
    EXPECT_EQ(h.services.boxes[2].text, L"Input 6 byte in Signature text please!");
    EXPECT_EQ(h.services.boxes[0].caption, L"Error");

    std::vector<uint8_t> written;
    h.script.On(h.script.library.rf_at020_write, [&](int32_t, uint8_t, const uint8_t* data) {
        written.assign(data, data + 8);
        return 0;
    });
    h.SetText(IDC_AT020_PAGE1_LOW, L"1122");
    h.SetText(IDC_AT020_PAGE1_HIGH, L"31323334");
    ChooseNumber(h.Item(IDC_AT020_PAGE_LIST), 1);
    h.Click(IDC_AT020_WRITE);
    EXPECT_EQ(written, (std::vector<uint8_t>{0x11, 0x22, 0, 0, 0x31, 0x32, 0x33, 0x34}));
    h.SetText(IDC_AT020_PAGE3 + 2, L"A1A2");
    ChooseNumber(h.Item(IDC_AT020_PAGE_LIST), 5);
    h.Click(IDC_AT020_WRITE);
    EXPECT_EQ(written, (std::vector<uint8_t>{0xA1, 0xA2, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(h.script.Log().back(), "rf_at020_write(0, 5, *)");
}

TEST_F(At88rf020PanelTest, LockIsNotLoggedAndShowsPageZero) {
    h.SetText(IDC_AT020_LOCK_BYTES, L"01000000");
    h.script.On(h.script.library.rf_at020_read, [](int32_t, uint8_t, uint8_t* out, uint8_t* length) {
        Answer(out, length, {0x8E, 0x20, 0x4A, 0x13, 0x01, 0, 0, 0});
        return 0;
    });
    h.Click(IDC_AT020_LOCK);
    EXPECT_EQ(h.services.log, (std::vector<FakeServices::LogLine>{{L"rf_at020_read", 0}}));
    EXPECT_EQ(h.Text(IDC_AT020_PAGE0_HIGH), L"01000000");
    EXPECT_EQ(h.services.status, L"OK");
}

}  // namespace
