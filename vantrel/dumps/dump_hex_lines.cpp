// Hex lines: a comment header, then one unit a line.
//
//   # Vantrel card dump
//   # card type: 1 Mifare_1K
//   # uid: 8E3A21F0
//   # time: 2024-05-01 14:03:59
//   # key: sector 0 A FFFFFFFFFFFF
//   8E3A21F0650804006263646566676869
//   --------------------------------
//   00112233 | 00                      (a block security status after "|")
#include "vantrel/dumps/format_codecs.h"

#include <cctype>
#include <algorithm>
#include <charconv>
#include <vector>

#include "vantrel/dumps/dump_checks.h"

namespace dumps {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::optional<int> Number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string WithoutBlanks(std::string_view text) {
    std::string compact;
    for (char c : text) {
        if (c != ' ' && c != '\t') compact += c;
    }
    return compact;
}

std::wstring AtLine(std::size_t line, const std::wstring& what) { return L"line " + Grouped(line) + L": " + what; }

struct Reader {
    CardDump dump;
    const DumpLayout* layout = nullptr;
    bool unitSeen = false;

    // A header comment; other comments say nothing.
    std::wstring Comment(std::string_view text) {
        const auto colon = text.find(':');
        if (colon == std::string_view::npos) return {};
        const std::string key = Lower(Trim(text.substr(0, colon)));
        const std::string_view value = Trim(text.substr(colon + 1));
        if (key == "card type") return CardType(value);
        if (key == "uid") {
            const auto uid = StrictHex(value);
            if (!uid) return L"the UID is not hexadecimal";
            dump.uid = *uid;
        } else if (key == "time") {
            dump.time = FromUtf8(value);
        } else if (key == "key") {
            return Key(value);
        }
        return {};
    }

    std::wstring CardType(std::string_view value) {
        if (layout != nullptr || unitSeen) return L"a second card type, or one after the units";
        const auto space = value.find(' ');
        const auto code = Number(value.substr(0, space));
        if (!code) return L"the card type is not a number";
        layout = FindDumpLayout(*code);
        if (layout == nullptr) return L"card type " + std::to_wstring(*code) + L" has no dumps";
        dump.code = *code;
        dump.cardName = space == std::string_view::npos ? L"" : FromUtf8(Trim(value.substr(space + 1)));
        return {};
    }

    // "sector 5 A FFFFFFFFFFFF"
    std::wstring Key(std::string_view value) {
        std::vector<std::string_view> words;
        std::size_t at = 0;
        while (at < value.size()) {
            const auto end = std::min(value.find(' ', at), value.size());
            if (end > at) words.push_back(value.substr(at, end - at));
            at = end + 1;
        }
        const auto sector = words.size() == 4 ? Number(words[1]) : std::nullopt;
        const auto key = words.size() == 4 ? StrictHex(words[3]) : std::nullopt;
        if (!sector || Lower(words[0]) != "sector" || (words[2] != "A" && words[2] != "B") || !key ||
            key->size() != 6) {
            return L"a key line is \"sector N A|B KEY\" with a key of 12 hexadecimal digits";
        }
        SectorKey entry{*sector, words[2] == "B", {}};
        std::copy(key->begin(), key->end(), entry.key.begin());
        dump.keys.push_back(entry);
        return {};
    }

    std::wstring Unit(std::string_view text) {
        if (layout == nullptr) return L"a unit before the card type line";
        unitSeen = true;
        if (static_cast<int>(dump.units.size()) == layout->unitCount) {
            return L"more units than the " + std::to_wstring(layout->unitCount) + L" of this card type";
        }
        const auto bar = text.find('|');
        const std::string data = WithoutBlanks(text.substr(0, bar));
        if (data.size() != 2 * static_cast<std::size_t>(layout->unitSize)) {
            return std::to_wstring(data.size()) + L" digits; a unit of this card type has " +
                   std::to_wstring(2 * layout->unitSize);
        }
        DumpUnit unit;
        if (data.find('-') != std::string::npos) {
            if (data != std::string(data.size(), '-')) return L"a unit is read or not read as a whole";
            unit.data.assign(layout->unitSize, 0);
        } else {
            const auto bytes = StrictHex(data);
            if (!bytes) return L"not hexadecimal";
            unit.data = *bytes;
            unit.read = true;
        }
        if (bar != std::string_view::npos) {
            const auto status = StrictHex(WithoutBlanks(text.substr(bar + 1)));
            if (!status || static_cast<int>(status->size()) != layout->statusBytes || !unit.read) {
                return L"the status after \"|\" is " + std::to_wstring(layout->statusBytes) +
                       L" bytes of a read unit";
            }
            unit.status = *status;
        }
        dump.units.push_back(std::move(unit));
        return {};
    }
};

}  // namespace

std::string WriteHexLines(const CardDump& dump) {
    std::string text = "# Vantrel card dump\n";
    text += "# card type: " + std::to_string(dump.code) + ' ' + Utf8(dump.cardName) + '\n';
    text += "# uid: " + HexOf(dump.uid) + '\n';
    text += "# time: " + Utf8(dump.time) + '\n';
    for (const SectorKey& key : dump.keys) {
        text += "# key: sector " + std::to_string(key.sector) + (key.keyB ? " B " : " A ") +
                HexOf(Bytes(key.key.begin(), key.key.end())) + '\n';
    }
    for (const DumpUnit& unit : dump.units) {
        text += unit.read ? HexOf(unit.data) : std::string(unit.data.size() * 2, '-');
        if (!unit.status.empty()) text += " | " + HexOf(unit.status);
        text += '\n';
    }
    return text;
}

ParsedDump ReadHexLines(std::string_view content) {
    Reader reader;
    std::size_t lineNumber = 0;
    while (!content.empty()) {
        ++lineNumber;
        const auto end = content.find('\n');
        const std::string_view line = Trim(content.substr(0, end));
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        if (line.empty()) continue;
        const std::wstring error = line.front() == '#' ? reader.Comment(line.substr(1)) : reader.Unit(line);
        if (!error.empty()) return {std::nullopt, AtLine(lineNumber, error)};
    }
    if (reader.layout == nullptr) return {std::nullopt, L"no \"# card type:\" line"};
    if (const std::wstring error = CheckDump(reader.dump); !error.empty()) {
        return {std::nullopt, L"after line " + Grouped(lineNumber) + L": " + error};
    }
    return {std::move(reader.dump), {}};
}

}  // namespace dumps
