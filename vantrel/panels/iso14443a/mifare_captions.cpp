#include "vantrel/panels/iso14443a/mifare_captions.h"

#include <iterator>

namespace {

constexpr const wchar_t* kChinese[] = {
    L"钱包功能", L"操作窗口", L"寻卡.ALL", L"扇区号", L"块号", L"A 密钥",
    L"B 密钥", L"密钥", L"金额(十进制)", L"金额(十六进制)", L"初始化", L"充值",
    L"扣款", L"读余额", L"读卡", L"写卡", L"寻卡.IDL", L"休眠",
};

constexpr const wchar_t* kEnglish[] = {
    L"Purse Function", L"Operation Window", L"Request", L"Sector",     L"Block",
    L"KeyA",           L"KeyB",             L"Key",     L"Value(Dec)", L"Value(Hex)",
    L"Initialize",     L"Increment",        L"Decrement", L"Balance",  L"Read Sector",
    L"Write Block",    L"ReqIDL",           L"Halt",
};

static_assert(std::size(kEnglish) == kMfCaptionCount);

}  // namespace

const UiTextTable kMifareCaptions = MakeUiTextTable(kChinese, kEnglish);
