#include "vantrel/toolkit/key_filter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr unsigned kHome = 0x24;
constexpr unsigned kUp = 0x26;
constexpr unsigned kBack = 0x08;
constexpr unsigned kInsert = 0x2D;
constexpr unsigned kNumpad7 = 0x67;
constexpr unsigned kKeyC = 0x43;
constexpr unsigned kKeyG = 0x47;

// Characters reaching the edit for the typed ones; a posted lower-case letter
// comes back through the filter as a character message of its own.
std::wstring Typed(std::wstring_view typed, const ByteEditKeyState& state) {
    std::wstring text;
    for (wchar_t c : typed) {
        KeyDecision d = ByteEditChar(c, state);
        if (d.action == KeyAction::PostLowerCase) {
            c = d.lowerCase;
            d = ByteEditChar(c, state);
        }
        if (d.action == KeyAction::Default) text.push_back(c);
    }
    return text;
}

}  // namespace

TEST(ByteEditFilter, TypedHexLettersEndUpLowerCaseAndOthersAreDropped) {
    ByteEditKeyState state;
    EXPECT_EQ(Typed(L"AbC1", state), L"abc1");
    EXPECT_EQ(Typed(L"g G-.", state), L"");
    EXPECT_EQ(ByteEditChar(L'F', state), (KeyDecision{KeyAction::PostLowerCase, L'f'}));
    EXPECT_EQ(ByteEditChar(kCharBackspace, state).action, KeyAction::Default);
}

TEST(ByteEditFilter, KeyDownLetsOnlyHexKeysDeleteAndSideArrowsThrough) {
    ByteEditKeyState state;
    for (unsigned key : {vk::kA, vk::kF, vk::k0, vk::k9, vk::kNumpad1, vk::kNumpad6, vk::kDelete,
                         vk::kLeft, vk::kRight})
        EXPECT_EQ(ByteEditKeyDown(key, state).action, KeyAction::Default) << key;
    for (unsigned key : {kKeyG, kHome, kUp, kBack, kInsert, kNumpad7})
        EXPECT_EQ(ByteEditKeyDown(key, state).action, KeyAction::Swallow) << key;
    EXPECT_FALSE(state.ctrlHeld);
}

TEST(ByteEditFilter, CtrlIsTrackedFromKeyDownToKeyUpOrFocusLoss) {
    ByteEditKeyState state;
    ByteEditKeyDown(vk::kControl, state);
    EXPECT_TRUE(state.ctrlHeld);
    // Ctrl combinations of an unlocked edit pass, paste included.
    EXPECT_EQ(ByteEditKeyDown(vk::kV, state).action, KeyAction::Default);
    EXPECT_EQ(ByteEditChar(kCharPaste, state).action, KeyAction::Default);
    EXPECT_EQ(ByteEditKeyUp(vk::kV, state).action, KeyAction::Default);
    EXPECT_TRUE(state.ctrlHeld);
    EXPECT_EQ(ByteEditKeyUp(vk::kControl, state).action, KeyAction::Default);
    EXPECT_FALSE(state.ctrlHeld);

    ByteEditKeyDown(vk::kControl, state);
    ByteEditFocusLost(state);
    EXPECT_FALSE(state.ctrlHeld);
    EXPECT_EQ(Typed(L"x", state), L"");
}

TEST(ByteEditFilter, LockedEditRefusesTypingAndPasteButCopies) {
    ByteEditKeyState state;
    state.locked = true;
    EXPECT_EQ(Typed(L"Ab1", state), L"");
    EXPECT_EQ(ByteEditKeyDown(vk::kA, state).action, KeyAction::Swallow);
    EXPECT_EQ(ByteEditKeyDown(vk::kDelete, state).action, KeyAction::Swallow);
    EXPECT_EQ(ByteEditKeyDown(vk::kLeft, state).action, KeyAction::Default);

    ByteEditKeyDown(vk::kControl, state);
    EXPECT_EQ(ByteEditKeyDown(kKeyC, state).action, KeyAction::Default);
    EXPECT_EQ(ByteEditChar(0x03, state).action, KeyAction::Default);  // Ctrl+C copies
    EXPECT_EQ(ByteEditChar(0x01, state).action, KeyAction::Default);  // Ctrl+A selects
    EXPECT_EQ(ByteEditKeyDown(vk::kV, state).action, KeyAction::Swallow);
    EXPECT_EQ(ByteEditKeyDown(vk::kDelete, state).action, KeyAction::Swallow);
    for (wchar_t c : {L'v', L'V', kCharPaste, kCharCut, kCharUndo, kCharBackspace,
                      kCharDeleteWord, L'@'})
        EXPECT_EQ(ByteEditChar(c, state).action, KeyAction::Swallow) << int(c);
}

TEST(NumberEditFilter, LetterCodesAreDropped) {
    for (unsigned code : {65u, 90u, 97u, 122u})
        EXPECT_TRUE(NumberEditSwallows(code)) << code;
    for (unsigned code : {48u, 57u, 45u, 64u, 91u, 96u, 123u, 8u})
        EXPECT_FALSE(NumberEditSwallows(code)) << code;
}

TEST(NumberEditFilter, ParseNumberReadsLeadingDecimalDigits) {
    EXPECT_EQ(ParseNumber(L""), -1);
    EXPECT_EQ(ParseNumber(L"-5"), -5);
    EXPECT_EQ(ParseNumber(L"12.7"), 12);
    EXPECT_EQ(ParseNumber(L"  +42x"), 42);
    EXPECT_EQ(ParseNumber(L"\t7"), 7);
    EXPECT_EQ(ParseNumber(L"abc"), 0);
    EXPECT_EQ(ParseNumber(L" "), 0);
    EXPECT_EQ(ParseNumber(L"-"), 0);
    EXPECT_EQ(ParseNumber(L"- 5"), 0);
    EXPECT_EQ(ParseNumber(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseNumber(L"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseNumber(L"99999999999999999999"), 2147483647);
    EXPECT_EQ(ParseNumber(L"-99999999999999999999"), -2147483647 - 1);
}

TEST(ListTipLines, BreaksAfterEverySixtiethCharacter) {
    const std::wstring a(60, L'a'), b(60, L'b'), c(10, L'c');
    EXPECT_EQ(BreakTipLines(a + b + c), a + L"\r\n" + b + L"\r\n" + c);
    EXPECT_EQ(BreakTipLines(a + b), a + L"\r\n" + b);  // no break after the last line
    EXPECT_EQ(BreakTipLines(a), a);
    EXPECT_EQ(BreakTipLines(L""), L"");
    EXPECT_EQ(BreakTipLines(L"abcde", 2), L"ab\r\ncd\r\ne");
}
