#include "vantrel/toolkit/ui_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(UiText, ProgramLanguageIsEnglish) {
    EXPECT_EQ(kLanguageIndex, kLanguageEnglish);
    EXPECT_STREQ(UiText(kMainMessages, kTextSuccess), L"Communication successful");
    EXPECT_STREQ(UiTextIn(kMainMessages, kLanguageChinese, kTextSuccess), L"操作成功");
}

TEST(UiText, TrickyMainEntriesAreKeptExactly) {
    // Full-width colon U+FF1A and three blanks after the comma, in both languages.
    EXPECT_STREQ(UiText(kMainMessages, kTextCallFailed),
                 L"Communication failed,   Error Code\xFF1A" L"0x%02x");
    EXPECT_STREQ(UiTextIn(kMainMessages, kLanguageChinese, kTextCallFailed),
                 L"呼叫失败,   错误代码\xFF1A" L"0x%02x");
    EXPECT_STREQ(UiText(kMainMessages, kTextFunctionSeparator), L" ,function: ");
    EXPECT_STREQ(UiTextIn(kMainMessages, kLanguageChinese, kTextFunctionSeparator),
                 L" ,函数: ");
    EXPECT_STREQ(UiText(kMainMessages, kTextPortNotOpened), L"Port did't opened");
    EXPECT_STREQ(UiText(kMainMessages, kTextWeek), L"week %d ");
    EXPECT_STREQ(UiTextIn(kMainMessages, kLanguageChinese, kTextWeek), L"星期 %d ");
    EXPECT_STREQ(UiText(kMainMessages, kTextDisconnectOk), L"Disconnect succeddful");
    EXPECT_STREQ(UiText(kMainMessages, kTextOpenPortFailed), L"Opend port failed");
    EXPECT_STREQ(UiText(kMainMessages, kTextNeedGc8Bytes), L"GInput 8 byte in Gc text please!");
    EXPECT_STREQ(UiText(kMainMessages, kTextNeedDeviceNumber2Bytes),
                 L"Input 2 byte in DeveicID text please!");
    EXPECT_STREQ(UiText(kMainMessages, kTextNeedPage3), L"Input 8 byte in page3 text please!");
    EXPECT_STREQ(UiTextIn(kMainMessages, kLanguageChinese, kTextNeedPage3),
                 L"Page3数据区需要8个Bytes!");
}

TEST(UiText, DialogBarAndCosDialogTables) {
    EXPECT_STREQ(UiText(kDialogBarLabels, 0), L"IP:");
    EXPECT_STREQ(UiText(kDialogBarLabels, 3), L"Memo:");
    EXPECT_STREQ(UiTextIn(kDialogBarLabels, kLanguageChinese, 1), L"波特率:");

    EXPECT_STREQ(UiText(kCosDialogCaptions, kCosTextClear), L"Clear");
    EXPECT_STREQ(UiText(kCosDialogCaptions, kCosTextExit), L"Exit");
    EXPECT_STREQ(UiText(kCosDialogCaptions, kCosTextCaption), L"COS Command");
    EXPECT_STREQ(UiTextIn(kCosDialogCaptions, kLanguageChinese, kCosTextClear), L"清除COS命令");
}

TEST(UiText, FormatTextFillsDecimalAndHexPlaceholders) {
    EXPECT_EQ(FormatText(UiText(kMainMessages, kTextWeek), 7), L"week 7 ");
    EXPECT_EQ(FormatText(UiText(kMainMessages, kTextReadPageError), -3), L"Read Page: -3 error!");
    EXPECT_EQ(FormatText(L"0x%02x", 1), L"0x01");
    EXPECT_EQ(FormatText(L"0x%02x", 0x1A3), L"0x1a3");
    EXPECT_EQ(FormatText(L"%x", -1), L"ffffffff");
    EXPECT_EQ(FormatText(L"100%% of %d", 5), L"100% of 5");
    EXPECT_EQ(FormatText(L"no placeholder", 5), L"no placeholder");
}
