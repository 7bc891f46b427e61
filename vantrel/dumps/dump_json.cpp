// JSON: one object with the card type, UID, time, unit size, the units
// (data, or "unread"; block security status), the keys found per sector
// and, for the UltraLight family, the lock bytes (docs/dump-formats.md).
#include <nlohmann/json.hpp>

#include "vantrel/dumps/dump_checks.h"
#include "vantrel/dumps/format_codecs.h"

namespace dumps {

namespace {

using nlohmann::json;

constexpr const char* kFormatName = "vantrel-card-dump";
constexpr int kFormatVersion = 1;

// The static lock bytes (page 2, bytes 2-3) and, on the larger tags, the
// dynamic ones (page 40, bytes 0-1), as read.
std::optional<Bytes> LockBytes(const CardDump& dump) {
    const DumpLayout* layout = FindDumpLayout(dump.code);
    if (layout == nullptr || (layout->access != Access::UltraLight && layout->access != Access::UltraLightC)) {
        return std::nullopt;
    }
    Bytes locks;
    const auto add = [&](int page, int first) {
        if (page < static_cast<int>(dump.units.size()) && dump.units[page].read) {
            locks.push_back(dump.units[page].data[first]);
            locks.push_back(dump.units[page].data[first + 1]);
        }
    };
    add(2, 2);
    if (layout->unitCount > 40) add(40, 0);
    return locks;
}

// Line and column of byte `offset` (counted from 1).
std::wstring Position(std::string_view content, std::size_t offset) {
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i + 1 < offset && i < content.size(); ++i) {
        if (content[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return L"line " + Grouped(line) + L", column " + Grouped(column);
}

// Thrown for a value of the wrong kind: what, and where in the document.
struct Invalid {
    std::wstring what;
};

const json& Member(const json& object, const char* name, const std::wstring& where) {
    const auto found = object.find(name);
    if (found == object.end()) throw Invalid{where + L": \"" + FromUtf8(name) + L"\" is missing"};
    return *found;
}

int Integer(const json& value, const std::wstring& where) {
    if (!value.is_number_integer() || value.get<int64_t>() < 0 || value.get<int64_t>() > 0xFFFF) {
        throw Invalid{where + L" is not a number from 0 to 65535"};
    }
    return static_cast<int>(value.get<int64_t>());
}

const std::string& Text(const json& value, const std::wstring& where) {
    if (!value.is_string()) throw Invalid{where + L" is not a string"};
    return value.get_ref<const std::string&>();
}

Bytes HexValue(const json& value, const std::wstring& where) {
    const auto bytes = StrictHex(Text(value, where));
    if (!bytes) throw Invalid{where + L" is not hexadecimal"};
    return *bytes;
}

CardDump Interpret(const json& root) {
    if (!root.is_object()) throw Invalid{L"the file is not a JSON object"};
    if (Text(Member(root, "format", L"the object"), L"\"format\"") != kFormatName) {
        throw Invalid{L"\"format\" is not \"" + FromUtf8(kFormatName) + L"\""};
    }
    if (Integer(Member(root, "version", L"the object"), L"\"version\"") != kFormatVersion) {
        throw Invalid{L"\"version\" is not " + std::to_wstring(kFormatVersion)};
    }
    CardDump dump;
    dump.code = Integer(Member(root, "cardType", L"the object"), L"\"cardType\"");
    const DumpLayout* layout = FindDumpLayout(dump.code);
    if (layout == nullptr) throw Invalid{L"card type " + std::to_wstring(dump.code) + L" has no dumps"};
    if (root.contains("cardName")) dump.cardName = FromUtf8(Text(root["cardName"], L"\"cardName\""));
    if (root.contains("uid")) dump.uid = HexValue(root["uid"], L"\"uid\"");
    if (root.contains("time")) dump.time = FromUtf8(Text(root["time"], L"\"time\""));
    if (Integer(Member(root, "unitSize", L"the object"), L"\"unitSize\"") != layout->unitSize) {
        throw Invalid{L"\"unitSize\" is not " + std::to_wstring(layout->unitSize) + L", this card type's"};
    }
    const json& units = Member(root, "units", L"the object");
    if (!units.is_array()) throw Invalid{L"\"units\" is not an array"};
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::wstring where = L"units[" + std::to_wstring(i) + L"]";
        const json& entry = units[i];
        if (!entry.is_object()) throw Invalid{where + L" is not an object"};
        DumpUnit unit;
        const bool unread = entry.contains("unread") && entry["unread"].is_boolean() && entry["unread"].get<bool>();
        if (entry.contains("unread") && !entry["unread"].is_boolean()) throw Invalid{where + L".unread is not true or false"};
        if (unread) {
            if (entry.contains("data")) throw Invalid{where + L" is unread and has data"};
            unit.data.assign(layout->unitSize, 0);
        } else {
            unit.data = HexValue(Member(entry, "data", where), where + L".data");
            unit.read = true;
        }
        if (entry.contains("status")) unit.status = HexValue(entry["status"], where + L".status");
        if (!unit.status.empty() && !unit.read) throw Invalid{where + L" is unread and has a status"};
        dump.units.push_back(std::move(unit));
    }
    if (root.contains("keys")) {
        const json& keys = root["keys"];
        if (!keys.is_array()) throw Invalid{L"\"keys\" is not an array"};
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const std::wstring where = L"keys[" + std::to_wstring(i) + L"]";
            if (!keys[i].is_object()) throw Invalid{where + L" is not an object"};
            SectorKey key;
            key.sector = Integer(Member(keys[i], "sector", where), where + L".sector");
            const std::string& type = Text(Member(keys[i], "keyType", where), where + L".keyType");
            if (type != "A" && type != "B") throw Invalid{where + L".keyType is not \"A\" or \"B\""};
            key.keyB = type == "B";
            const Bytes value = HexValue(Member(keys[i], "key", where), where + L".key");
            if (value.size() != key.key.size()) throw Invalid{where + L".key is not 6 bytes"};
            std::copy(value.begin(), value.end(), key.key.begin());
            dump.keys.push_back(key);
        }
    }
    if (const std::wstring error = CheckDump(dump); !error.empty()) throw Invalid{error};
    const auto locks = LockBytes(dump);
    if (locks && root.contains("lockBytes") && HexValue(root["lockBytes"], L"\"lockBytes\"") != *locks) {
        throw Invalid{L"\"lockBytes\" differ from the lock bytes in the units"};
    }
    return dump;
}

}  // namespace

std::string WriteJson(const CardDump& dump) {
    json root;
    root["format"] = kFormatName;
    root["version"] = kFormatVersion;
    root["cardType"] = dump.code;
    root["cardName"] = Utf8(dump.cardName);
    root["uid"] = HexOf(dump.uid);
    root["time"] = Utf8(dump.time);
    const DumpLayout* layout = FindDumpLayout(dump.code);
    root["unitSize"] = layout != nullptr ? layout->unitSize : 0;
    json units = json::array();
    for (const DumpUnit& unit : dump.units) {
        json entry = json::object();
        if (unit.read) {
            entry["data"] = HexOf(unit.data);
        } else {
            entry["unread"] = true;
        }
        if (!unit.status.empty()) entry["status"] = HexOf(unit.status);
        units.push_back(std::move(entry));
    }
    root["units"] = std::move(units);
    if (!dump.keys.empty()) {
        json keys = json::array();
        for (const SectorKey& key : dump.keys) {
            keys.push_back({{"sector", key.sector},
                            {"keyType", key.keyB ? "B" : "A"},
                            {"key", HexOf(Bytes(key.key.begin(), key.key.end()))}});
        }
        root["keys"] = std::move(keys);
    }
    if (const auto locks = LockBytes(dump)) root["lockBytes"] = HexOf(*locks);
    return root.dump(1) + '\n';
}

ParsedDump ReadJson(std::string_view content) {
    json root;
    try {
        root = json::parse(content.begin(), content.end());
    } catch (const json::parse_error& error) {
        return {std::nullopt, Position(content, error.byte) + L": not valid JSON"};
    } catch (const std::exception&) {
        return {std::nullopt, L"not valid JSON"};
    }
    try {
        return {Interpret(root), {}};
    } catch (const Invalid& invalid) {
        return {std::nullopt, invalid.what};
    } catch (const std::exception&) {
        return {std::nullopt, L"not a dump"};
    }
}

}  // namespace dumps
