// Hexadecimal text of byte strings: two upper-case digits a byte, no separators.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "vantrel/toolkit/bytes.h"

// Upper-case digits, most significant nibble first. A null pointer gives "".
std::wstring BytesToHex(const uint8_t* bytes, std::size_t count);
std::wstring BytesToHex(std::span<const uint8_t> bytes);

// Converts pairs of characters; a lone last character becomes a byte of its
// own ("ABC" gives AB 0C). No character is rejected: see HexDigitValue.
Bytes HexToBytes(std::wstring_view text);

// 0-9, A-F and a-f give their values; any other character its own code.
int HexDigitValue(wchar_t c);

// Changes A-Z to a-z in place; a null text is ignored.
void ToLowerAscii(wchar_t* text);

// Whole bytes in a text of `length` characters (a lone last digit does not count).
constexpr std::size_t ByteCountOfText(std::size_t length) { return length / 2; }

// Character limit of an edit that holds at most `bytes` bytes.
constexpr std::size_t CharLimitOfByteLimit(std::size_t bytes) { return bytes * 2; }

// Byte limit of an edit limited to `chars` characters, rounded up.
constexpr std::size_t ByteLimitOfCharLimit(std::size_t chars) { return chars / 2 + chars % 2; }

// The 4 bytes of a 32-bit value, least significant first.
std::array<uint8_t, 4> DwordToBytes(uint32_t value);
