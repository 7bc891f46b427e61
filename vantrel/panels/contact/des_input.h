// The DES calculator's input checks: the key from its two edits (8 bytes, or
// 16 when the second edit holds anything) and the data (a non-zero multiple
// of 8 bytes), counted as whole digit pairs.
#pragma once

#include <string_view>

#include "vantrel/toolkit/bytes.h"

enum class DesInputError { kNone, kKey, kData };

struct DesInput {
    DesInputError error = DesInputError::kNone;
    Bytes key;
    Bytes data;
};

DesInput CheckDesInput(std::wstring_view firstKey, std::wstring_view secondKey, std::wstring_view data);
