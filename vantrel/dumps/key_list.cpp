#include "vantrel/dumps/key_list.h"

#include <algorithm>
#include <cctype>

#include "vantrel/dumps/dump_checks.h"
#include "vantrel/dumps/dump_formats.h"

namespace dumps {

KeyList ParseKeyList(std::string_view content) {
    if (content.size() > kMaxKeyListSize) {
        return {{}, L"larger than " + Grouped(kMaxKeyListSize) + L" bytes: not a key list"};
    }
    KeyList list;
    std::size_t lineNumber = 0;
    while (!content.empty()) {
        ++lineNumber;
        const auto end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        line = line.substr(0, line.find('#'));
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front()))) line.remove_prefix(1);
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.remove_suffix(1);
        if (line.empty()) continue;
        const auto bytes = StrictHex(line);
        if (!bytes || bytes->size() != 6) {
            return {{}, L"line " + Grouped(lineNumber) + L": a key is 12 hexadecimal digits"};
        }
        MifareKey key;
        std::copy(bytes->begin(), bytes->end(), key.begin());
        if (std::find(list.keys.begin(), list.keys.end(), key) == list.keys.end()) list.keys.push_back(key);
    }
    return list;
}

std::vector<MifareKey> JoinKeys(std::vector<MifareKey> first, const std::vector<MifareKey>& more) {
    for (const MifareKey& key : more) {
        if (std::find(first.begin(), first.end(), key) == first.end()) first.push_back(key);
    }
    return first;
}

}  // namespace dumps
