// Mifare key lists: one key of 12 hexadecimal digits a line, blank lines and
// text from "#" to the end of a line ignored. The program ships one with the
// three well-known transport keys.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vantrel/dumps/card_dump.h"

namespace dumps {

inline constexpr std::size_t kMaxKeyListSize = 64 * 1024;
inline constexpr wchar_t kShippedKeyListName[] = L"Mifare keys.txt";

struct KeyList {
    std::vector<MifareKey> keys;  // in file order, each once
    std::wstring error;           // when the file cannot be used: the line and why
};

KeyList ParseKeyList(std::string_view content);

// `first`, then the keys of `more` not among them.
std::vector<MifareKey> JoinKeys(std::vector<MifareKey> first, const std::vector<MifareKey>& more);

}  // namespace dumps
