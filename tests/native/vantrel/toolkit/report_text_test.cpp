#include "vantrel/toolkit/report_text.h"

#include <gtest/gtest.h>

TEST(ReportText, ResultTextsOfSuccessAndFailure) {
    EXPECT_EQ(ResultText(0, L"rf_request"), L"Communication successful ,function: rf_request");
    EXPECT_EQ(ResultText(0, nullptr), L"Communication successful");
    EXPECT_EQ(ResultText(0x14, L"rf_M1_read"), L"Error: 14 ,function: rf_M1_read");
    EXPECT_EQ(ResultText(-1, nullptr), L"Error: ffffffff");
    EXPECT_EQ(ResultText(0x1A3, nullptr), L"Error: 1a3");
}

TEST(ReportText, ErrorTextPrefixesTheText) {
    EXPECT_EQ(ErrorText(L"Port did't opened"), L"Error: Port did't opened");
    EXPECT_EQ(ErrorText(nullptr), L"Error: ");
}

TEST(ReportText, LogResultColumnShowsAtLeastTwoLowerCaseDigits) {
    EXPECT_EQ(LogResultText(0), L"Communication successful");
    EXPECT_EQ(LogResultText(1), L"Communication failed,   Error Code\xFF1A" L"0x01");
    EXPECT_EQ(LogResultText(0x14), L"Communication failed,   Error Code\xFF1A" L"0x14");
    EXPECT_EQ(LogResultText(0x1A3), L"Communication failed,   Error Code\xFF1A" L"0x1a3");
    EXPECT_EQ(LogResultText(-1), L"Communication failed,   Error Code\xFF1A" L"0xffffffff");
}
