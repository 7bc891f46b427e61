// Run-time texts in two languages and the program's language index.
#pragma once

#include <cstddef>
#include <span>
#include <string>

inline constexpr int kLanguageChinese = 0;
inline constexpr int kLanguageEnglish = 1;

// Fixed for the whole run. A Chinese build also needs the Chinese menu.
inline constexpr int kLanguageIndex = kLanguageEnglish;

// One row of texts per language, both rows the same length.
struct UiTextTable {
    std::span<const wchar_t* const> chinese;
    std::span<const wchar_t* const> english;

    constexpr std::size_t size() const { return english.size(); }
};

// Builds a table whose rows are checked to match in length at compile time.
template <std::size_t N>
constexpr UiTextTable MakeUiTextTable(const wchar_t* const (&chinese)[N],
                                      const wchar_t* const (&english)[N]) {
    return UiTextTable{chinese, english};
}

// One text in both languages, for the texts of one panel.
struct UiString {
    const wchar_t* chinese;
    const wchar_t* english;
};

// The text in the program's language.
constexpr const wchar_t* UiText(const UiString& text) {
    return kLanguageIndex == kLanguageChinese ? text.chinese : text.english;
}

// A control's caption, set at the panel's initialisation; a panel's caption
// table is one row per control.
struct Caption {
    int controlId;
    UiString text;
};

// Captions of the program's message boxes.
inline constexpr UiString kBoxCaptionError{L"Error", L"Error"};
inline constexpr UiString kBoxCaptionWarning{L"Warning", L"Warning"};
// A successful call whose answer has the wrong length.
inline constexpr UiString kAnswerLengthError{L"返回数据长度错误", L"Answer length error"};

// Text of `entry` in the program's language. An entry outside the table is a
// programmer error.
const wchar_t* UiText(const UiTextTable& table, int entry);

// Text of `entry` in the given language (kLanguageChinese or kLanguageEnglish).
const wchar_t* UiTextIn(const UiTextTable& table, int language, int entry);

// Fills the one "%d"/"%x"/"%02x"-style placeholder of a table text.
std::wstring FormatText(const wchar_t* format, int value);

// Entries of the main message table.
enum MainText : int {
    kTextCallOk = 0,               // log: call succeeded
    kTextCallFailed = 1,           // log: call failed, "%02x" code
    kTextConnecting = 2,
    kTextSuccess = 3,              // report: success
    kTextFunctionSeparator = 4,    // report: before the function name
    kTextPortNotOpened = 5,
    kTextFindCardOk = 6,
    kTextNeedKey6Bytes = 7,
    kTextNeedData = 8,
    kTextInitPurseOk = 9,
    kTextIncrementOk = 10,
    kTextDecrementOk = 11,
    kTextReadBalanceOk = 12,
    kTextReadOk = 13,
    kTextConfirmWriteBlock3 = 14,
    kTextWriteOk = 15,
    kTextNotEnoughMemory = 16,
    kTextNoChangeData = 17,
    kTextFailed = 18,
    kTextNeedKey8Bytes = 19,
    kTextAuthenticateOk = 20,
    kTextNeedLock4Bytes = 21,
    kTextLockOk = 22,
    kTextNeedSignature6Bytes = 23,
    kTextCountOk = 24,
    kTextReadPageError = 25,       // "%d" page
    kTextDeselectOk = 26,
    kTextNeedGc8Bytes = 27,
    kTextNeedQ0_8Bytes = 28,
    kTextNeedKey3Bytes = 29,
    kTextNoChangedBlocks = 30,
    kTextCosCommandTooShort = 31,
    kTextResetOk = 32,
    kTextUidLengthError = 33,
    kTextGetInformationOk = 34,
    kTextNeedDsfid = 35,
    kTextWriteDsfidOk = 36,
    kTextLockDsfidOk = 37,
    kTextNeedAfi = 38,
    kTextWriteAfiOk = 39,
    kTextLockAfiOk = 40,
    kTextInventoryOk = 41,
    kTextSendOk = 42,
    kTextNeedKey8Or16Bytes = 43,
    kTextDataNotMultipleOf8 = 44,
    kTextConfirmChangeKey = 45,
    kTextNeedKey = 46,
    kTextWeek = 47,                // "%d" weekday number
    kTextConnectFailed = 48,
    kTextConnectOk = 49,
    kTextGetProductInfoOk = 50,
    kTextReadDeviceNumberOk = 51,
    kTextNeedDeviceNumber2Bytes = 52,
    kTextWriteDeviceNumberOk = 53,
    kTextBeepOk = 54,
    kTextAntennaOk = 55,
    kTextLightOk = 56,
    kTextReadBlockError = 57,      // "%d" block
    kTextConfirmLock = 58,
    kTextLockBlockOk = 59,
    kTextReadUidOk = 60,
    kTextSrf55vReadOk = 61,
    kTextSrf55vWriteOk = 62,
    kTextDisconnectOk = 63,
    kTextOpenPortFailed = 64,
    kTextNeedPage0 = 65,
    kTextNeedPage1 = 66,
    kTextNeedPage2 = 67,
    kTextNeedPage3 = 68,
    kMainTextCount = 69,
};
static_assert(kMainTextCount == 69);

// Status, error and log texts used all over the program.
extern const UiTextTable kMainMessages;

// Labels 1 to 4 of the dialog bar: address, port, card type, memo.
extern const UiTextTable kDialogBarLabels;

// Captions of the COS command dialog.
enum CosDialogText : int {
    kCosTextClear = 0,    // button 1066
    kCosTextExit = 1,     // button 1063
    kCosTextCaption = 2,  // the dialog's own caption
    kCosTextCount = 3,
};
extern const UiTextTable kCosDialogCaptions;

// Items of the background choice dialog's list, "%02d" the skin's number from 1.
enum BackgroundDialogText : int {
    kBackgroundTextItem = 0,
};
extern const UiTextTable kBackgroundDialogTexts;
