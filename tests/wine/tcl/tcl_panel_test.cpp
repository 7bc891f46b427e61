#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tcl/tcl_harness.h"

namespace {

std::vector<uint8_t> Sequence(uint8_t first, std::size_t count) {
    std::vector<uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(first + i);
    return bytes;
}

// Answers every reset call of the panel's card type with `answer`.
void AnswerResets(TclHarness& h, const std::vector<uint8_t>& answer) {
    auto reply = [answer](int32_t, uint8_t, uint8_t* out, uint8_t* length) {
        ::Answer(out, length, answer);
        return 0;
    };
    h.script.On(h.script.library.rf_typea_rst, reply);
    h.script.On(h.script.library.rf_DESFire_rst, reply);
    h.script.On(h.script.library.rf_atqb, reply);
}

struct LayoutRow {
    int32_t code;
    const wchar_t* resetCaption;
    bool proButtons;
    bool pupi;
};

class TclLayoutTest : public ::testing::TestWithParam<LayoutRow> {};

}  // namespace

TEST_P(TclLayoutTest, CaptionsButtonsAndTheSerialNumberFieldFollowTheCardType) {
    const LayoutRow row = GetParam();
    TclHarness h(row.code);
    EXPECT_EQ(h.Text(IDC_TCL_RESET), row.resetCaption);
    EXPECT_EQ(h.Shown(IDC_TCL_RESET_IDLE), row.proButtons);
    EXPECT_EQ(h.Shown(IDC_TCL_DESELECT), row.proButtons);
    EXPECT_FALSE(h.Shown(IDC_TCL_TYPE_A));
    EXPECT_FALSE(h.Shown(IDC_TCL_TYPE_B));
    EXPECT_FALSE(h.Shown(IDC_TCL_INFO_FRAME));
    EXPECT_EQ(h.Shown(IDC_TCL_PUPI), row.pupi);
    EXPECT_EQ(h.Shown(IDC_TCL_PUPI_LABEL), row.pupi);
    EXPECT_NE(h.Shown(IDC_TCL_CSN), row.pupi);
    EXPECT_NE(h.Shown(IDC_TCL_CSN_LABEL), row.pupi);
    if (row.pupi) {
        const auto rect = [&](int id) {
            const RECT r = Window(h.Item(id)).RectIn(*h.panel);
            return std::vector<LONG>{r.left, r.top, r.right, r.bottom};
        };
        EXPECT_EQ(rect(IDC_TCL_PUPI), rect(IDC_TCL_CSN));
        EXPECT_EQ(rect(IDC_TCL_PUPI_LABEL), rect(IDC_TCL_CSN_LABEL));
    }
}

INSTANTIATE_TEST_SUITE_P(CardTypes, TclLayoutTest,
                         ::testing::Values(LayoutRow{6, L"RstAll", true, false},
                                           LayoutRow{7, L"Reset", false, true},
                                           LayoutRow{24, L"Reset", false, false}));

TEST(TclReset, SplitsEachCardTypesAnswerIntoItsFields) {
    struct Row {
        int32_t code;
        std::vector<uint8_t> answer;
        std::wstring csn, pupi, info;
    };
    const std::vector<Row> rows = {
        {6, {0x11, 0x22, 0x33, 0x44}, L"11223344", L"", L""},
        {6, {0x11, 0x22, 0x33, 0x44, 0x55}, L"11223344", L"", L"55"},
        {6, Sequence(0x01, 20), L"01020304", L"", L"05060708090A0B0C0D0E0F1011121314"},
        // DESFire: a random 4-byte UID (0x80) only below 11 bytes; else 7 bytes
        // of CSN when there are more than 7, else all of them.
        {24, {0x80, 1, 2, 3}, L"80010203", L"", L""},
        {24, {0x80, 1, 2, 3, 4, 5, 6}, L"80010203", L"", L"040506"},
        {24, {0x80, 1, 2, 3, 4, 5, 6, 7, 8, 9}, L"80010203", L"", L"040506070809"},
        {24, {0x80, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, L"80010203040506", L"", L"0708090A"},
        {24, {0x04, 1, 2, 3}, L"04010203", L"", L""},
        {24, {0x04, 1, 2, 3, 4, 5, 6}, L"04010203040506", L"", L""},
        {24, {0x04, 1, 2, 3, 4, 5, 6, 7}, L"04010203040506", L"", L"07"},
        {24, {0x04, 1, 2, 3, 4, 5, 6, 7, 8, 9}, L"04010203040506", L"", L"070809"},
        {7, Sequence(0x50, 12), L"", L"51525354", L"505152535455565758595A5B"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "code " << row.code << ", " << row.answer.size() << " bytes");
        TclHarness h(row.code);
        AnswerResets(h, row.answer);
        h.Click(IDC_TCL_RESET);
        EXPECT_EQ(h.Text(IDC_TCL_CSN), row.csn);
        EXPECT_EQ(h.Text(IDC_TCL_PUPI), row.pupi);
        EXPECT_EQ(h.Text(IDC_TCL_RST_INFO), row.info);
        EXPECT_EQ(h.services.status, L"OK");
        EXPECT_EQ(h.services.beeps, 0);
    }
}

TEST(TclReset, TypeBResetsTheFieldAsTypeBAndAsksForTheAtqb) {
    TclHarness h(7);
    AnswerResets(h, Sequence(0x50, 12));
    h.Click(IDC_TCL_RESET);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_antenna_sta(0, 0)", "Wait(20)", "rf_init_type(0, 66)",
                                     "Wait(20)", "rf_antenna_sta(0, 1)", "rf_atqb(0, 0, *, *)"}));
}

TEST(TclReset, AnswersTooShortOrTooLongToShowAreErrorsRetriedThreeTimesShowingNothing) {
    struct Row {
        int32_t code;
        std::vector<uint8_t> answer;
        const char* call;
    };
    for (const Row& row : {Row{7, Sequence(0x50, 11), "rf_atqb"}, Row{7, Sequence(0x50, 13), "rf_atqb"},
                           Row{6, {0x11, 0x22, 0x33}, "rf_typea_rst"}, Row{24, {0x80, 0x01, 0x02}, "rf_DESFire_rst"},
                           Row{24, {0x04, 0x01, 0x02}, "rf_DESFire_rst"}}) {
        SCOPED_TRACE(row.call);
        TclHarness h(row.code);
        h.SetText(IDC_TCL_RST_INFO, L"stale");
        AnswerResets(h, row.answer);
        h.Click(IDC_TCL_RESET);
        EXPECT_EQ(h.script.Names(), (Calls{"rf_antenna_sta", "Wait", "rf_init_type", "Wait",
                                           "rf_antenna_sta", row.call, row.call, row.call}));
        EXPECT_EQ(h.Text(IDC_TCL_CSN) + h.Text(IDC_TCL_PUPI) + h.Text(IDC_TCL_RST_INFO), L"");
        const std::wstring call(row.call, row.call + strlen(row.call));
        EXPECT_EQ(h.services.status, L"Error: Answer length error ,function: " + call);
        EXPECT_EQ(h.services.beeps, 3);
    }
}

TEST(TclReset, AFieldFailureEndsAtOnceAndACardThatDoesNotAnswerIsTriedThreeTimes) {
    TclHarness h(6);
    h.script.Fail(h.script.library.rf_init_type, 0x0c);
    h.Click(IDC_TCL_RESET);
    EXPECT_EQ(h.script.Names(), (Calls{"rf_antenna_sta", "Wait", "rf_init_type"}));
    EXPECT_EQ(h.services.status, L"Error: c ,function: rf_init_type");

    h.script.Fail(h.script.library.rf_init_type, 0);
    h.script.ClearLog();
    h.script.Fail(h.script.library.rf_typea_rst, 0x0a);
    h.Click(IDC_TCL_RESET);
    EXPECT_EQ(h.script.Names(), (Calls{"rf_antenna_sta", "Wait", "rf_init_type", "Wait", "rf_antenna_sta",
                                       "rf_typea_rst", "rf_typea_rst", "rf_typea_rst"}));
    EXPECT_EQ(h.services.status, L"Error: a ,function: rf_typea_rst");
}

TEST(TclProButtons, ResetIdleAsksIdleCardsOnceAndDeselectReleasesTheCard) {
    TclHarness h(6);
    AnswerResets(h, Sequence(0x01, 6));
    h.Click(IDC_TCL_RESET_IDLE);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_typea_rst(0, 38, *, *)"}));
    EXPECT_EQ(h.Text(IDC_TCL_CSN), L"01020304");
    EXPECT_EQ(h.Text(IDC_TCL_RST_INFO), L"0506");
    EXPECT_EQ(h.services.status, L"Communication successful");

    h.script.ClearLog();
    h.Click(IDC_TCL_DESELECT);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_cl_deselect(0)"}));
    EXPECT_EQ(h.services.status, L"Communication successful");
}
