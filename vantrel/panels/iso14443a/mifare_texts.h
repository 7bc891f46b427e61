// Texts of the Mifare Classic 1K and 4K panels: the caption texts both share,
// the captions of the controls both templates have, and the panels' own
// message texts.
#pragma once

#include <span>

#include "vantrel/toolkit/ui_text.h"

namespace mifare_text {
inline constexpr UiString kPurse{L"钱包功能", L"Purse Function"};
inline constexpr UiString kWindow{L"操作窗口", L"Operation Window"};
inline constexpr UiString kRequest{L"寻卡.ALL", L"Request"};
inline constexpr UiString kSector{L"扇区号", L"Sector"};
inline constexpr UiString kBlock{L"块号", L"Block"};
inline constexpr UiString kKeyA{L"A 密钥", L"KeyA"};
inline constexpr UiString kKeyB{L"B 密钥", L"KeyB"};
inline constexpr UiString kKey{L"密钥", L"Key"};
inline constexpr UiString kValueDec{L"金额(十进制)", L"Value(Dec)"};
inline constexpr UiString kValueHex{L"金额(十六进制)", L"Value(Hex)"};
inline constexpr UiString kInitialize{L"初始化", L"Initialize"};
inline constexpr UiString kIncrement{L"充值", L"Increment"};
inline constexpr UiString kDecrement{L"扣款", L"Decrement"};
inline constexpr UiString kBalance{L"读余额", L"Balance"};
inline constexpr UiString kReadSector{L"读卡", L"Read Sector"};
inline constexpr UiString kWriteBlock{L"写卡", L"Write Block"};
inline constexpr UiString kReqIdl{L"寻卡.IDL", L"ReqIDL"};
inline constexpr UiString kHalt{L"休眠", L"Halt"};

inline constexpr UiString kAccessBitsInvalid{
    L"存取控制位无效:该扇区将被永久锁死!",
    L"Access bits are invalid: the sector would be locked for good!"};
inline constexpr UiString kValueOutOfRange{
    L"请输入-2147483648到2147483647之间的金额!",
    L"Input a value from -2147483648 to 2147483647 please!"};
}  // namespace mifare_text

// Captions of the top row, the purse group and operation windows 1 and 2,
// which both templates have under the same ids.
std::span<const Caption> MifareSharedCaptions();
