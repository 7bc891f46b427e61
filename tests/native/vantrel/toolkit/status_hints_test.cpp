#include "vantrel/toolkit/status_hints.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "support/hex_bytes.h"

namespace {

using test_hex::Hex;

std::wstring Hint(AnswerForm form, const char* answer, int language = kLanguageEnglish) {
    return AnswerHint(form, Hex(answer), language);
}

// Every status the library's header names, by value.
std::vector<int32_t> LibraryStatuses() {
    std::ifstream file(VANTREL_SOURCE_DIR "/kelvar/status.h");
    std::stringstream text;
    text << file.rdbuf();
    const std::string source = text.str();
    const std::regex entry(R"(\bk\w+\s*=\s*(0x[0-9A-Fa-f]+|\d+))");
    std::vector<int32_t> statuses;
    for (auto it = std::sregex_iterator(source.begin(), source.end(), entry); it != std::sregex_iterator(); ++it) {
        statuses.push_back(static_cast<int32_t>(std::stol((*it)[1].str(), nullptr, 0)));
    }
    return statuses;
}

}  // namespace

TEST(StatusHints, EveryLibraryStatusHasItsOwnHintInBothLanguages) {
    std::vector<int32_t> statuses = LibraryStatuses();
    ASSERT_GE(statuses.size(), 17u);
    statuses.push_back(-2);  // a function the loaded library lacks
    const std::wstring unknown = StatusHint(0x7FFF, kLanguageEnglish);
    for (int32_t status : statuses) {
        for (int language : {kLanguageChinese, kLanguageEnglish}) {
            const std::wstring hint = StatusHint(status, language);
            EXPECT_FALSE(hint.empty()) << status;
            EXPECT_NE(hint, StatusHint(0x7FFF, language)) << "no row for status " << status;
        }
        EXPECT_NE(StatusHint(status, kLanguageChinese), StatusHint(status, kLanguageEnglish)) << status;
    }
    EXPECT_FALSE(unknown.empty());
}

TEST(StatusHints, EveryListedCardStatusHasAHintInBothLanguages) {
    const char* statusWords[] = {"6281", "6282", "6283", "6300", "6581", "6700", "6881", "6882", "6981", "6982",
                                 "6983", "6984", "6985", "6986", "6A80", "6A81", "6A82", "6A83", "6A84", "6A85",
                                 "6A86", "6A87", "6A88", "6B00", "6D00", "6E00", "6F00", "9000"};
    const char* desfire[] = {"00", "0C", "0E", "1C", "1E", "40", "7E", "9D", "9E", "A0", "A1",
                             "AE", "AF", "BE", "C1", "CA", "CD", "DE", "EE", "F0", "F1"};
    const char* vicinity[] = {"01", "02", "03", "0F", "10", "11", "12", "13", "14"};
    for (int language : {kLanguageChinese, kLanguageEnglish}) {
        for (const char* sw : statusWords) EXPECT_FALSE(Hint(AnswerForm::StatusWord, sw, language).empty()) << sw;
        for (const char* code : desfire) {
            EXPECT_FALSE(Hint(AnswerForm::DesfireNative, code, language).empty()) << code;
            EXPECT_EQ(Hint(AnswerForm::StatusWord, (std::string("91") + code).c_str(), language),
                      Hint(AnswerForm::DesfireNative, code, language));
        }
        for (const char* code : vicinity) {
            EXPECT_FALSE(Hint(AnswerForm::Iso15693, (std::string("01") + code).c_str(), language).empty()) << code;
        }
    }
    EXPECT_NE(Hint(AnswerForm::StatusWord, "6A82"), Hint(AnswerForm::StatusWord, "6A83"));
}

TEST(StatusHints, AnswersAreReadFromTheirEnds) {
    // Counted status words name their count; 00 bytes is 256.
    EXPECT_NE(Hint(AnswerForm::StatusWord, "63C2").find(L"tries left: 2"), std::wstring::npos);
    EXPECT_NE(Hint(AnswerForm::StatusWord, "6C00").find(L"available: 256"), std::wstring::npos);
    EXPECT_NE(Hint(AnswerForm::StatusWord, "6110").find(L"waiting: 16"), std::wstring::npos);
    EXPECT_EQ(Hint(AnswerForm::StatusWord, "6300"), L"Verification failed.");
    // 63Bx is no count: the class hint.
    EXPECT_EQ(Hint(AnswerForm::StatusWord, "63B2"), Hint(AnswerForm::StatusWord, "6399"));
    // Data before the status word, and answers too short to carry one.
    EXPECT_EQ(Hint(AnswerForm::StatusWord, "0102036A82"), Hint(AnswerForm::StatusWord, "6A82"));
    EXPECT_EQ(Hint(AnswerForm::StatusWord, "90"), L"");
    EXPECT_EQ(Hint(AnswerForm::StatusWord, "1234"), L"");
    EXPECT_EQ(Hint(AnswerForm::DesfireNative, ""), L"");
    EXPECT_EQ(Hint(AnswerForm::None, "6A82"), L"");
    // An ISO 15693 answer names an error only when its flag says so.
    EXPECT_EQ(Hint(AnswerForm::Iso15693, "0010"), L"");
    EXPECT_EQ(Hint(AnswerForm::Iso15693, "01"), L"");
    EXPECT_EQ(Hint(AnswerForm::Iso15693, "0110"), L"The block named does not exist.");
}
