// Texts of the status field and of the log's result column.
#pragma once

#include <cstdint>
#include <string>

// Status 0: the success text; otherwise "Error: " and the status in lower-case
// hexadecimal (no leading zeros, -1 is "ffffffff"). A function name, when
// given, follows after " ,function: ".
std::wstring ResultText(int32_t status, const wchar_t* functionName);

// "Error: " followed by the text (a null text counts as empty).
std::wstring ErrorText(const wchar_t* text);

// The log's result column: the success text, or the failure text with the
// code as at least two lower-case hexadecimal digits.
std::wstring LogResultText(int32_t status);
