// Reading a journal file: untrusted text, line by line. A damaged line is a
// problem with its number; the lines around it still count.
#include <algorithm>
#include <limits>
#include <nlohmann/json.hpp>

#include "kelvar/buffer_rules.h"
#include "vantrel/journal/function_catalog.h"
#include "vantrel/journal/journal_files.h"

namespace journal {

namespace {

using nlohmann::json;

// Why a line cannot be used.
struct Damaged {
    std::string text;
};

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

JournalBytes ParseBytes(const json& value, const std::string& name) {
    if (!value.is_string()) throw Damaged{name + ": not a hex string"};
    const std::string& text = value.get_ref<const std::string&>();
    if (text.size() % 2 != 0) throw Damaged{name + ": an odd number of hex digits"};
    if (text.size() / 2 > kLongestBuffer) throw Damaged{name + ": longer than " + std::to_string(kLongestBuffer) + " bytes"};
    JournalBytes bytes;
    bytes.bytes.reserve(text.size() / 2);
    for (size_t i = 0; i < text.size(); i += 2) {
        if (text.compare(i, 2, kMaskedByte) == 0) {
            bytes.masked.resize(text.size() / 2, false);
            bytes.masked[i / 2] = true;
            bytes.bytes.push_back(0);
            continue;
        }
        const int high = DigitValue(text[i]);
        const int low = DigitValue(text[i + 1]);
        if (high < 0 || low < 0) throw Damaged{name + ": not a hex string"};
        bytes.bytes.push_back(static_cast<uint8_t>(high << 4 | low));
    }
    return bytes;
}

int64_t Integer(const json& object, const char* key, int64_t lowest, int64_t highest) {
    const auto found = object.find(key);
    if (found == object.end()) throw Damaged{std::string("no \"") + key + "\""};
    if (!found->is_number_integer()) throw Damaged{std::string("\"") + key + "\" is not an integer"};
    int64_t value = 0;
    if (found->is_number_unsigned()) {
        const uint64_t unsignedValue = found->get<uint64_t>();
        if (unsignedValue > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) {
            throw Damaged{std::string("\"") + key + "\" is out of range"};
        }
        value = static_cast<int64_t>(unsignedValue);
    } else {
        value = found->get<int64_t>();
    }
    if (value < lowest || value > highest) throw Damaged{std::string("\"") + key + "\" is out of range"};
    return value;
}

// The bytes a buffer argument must hold when its size is known before the call.
std::optional<size_t> SizeBeforeCall(const kelvar::BufferRule& rule, const std::vector<JournalArgument>& arguments) {
    switch (rule.kind) {
        case kelvar::SizeKind::Fixed: return static_cast<size_t>(rule.value);
        case kelvar::SizeKind::Arg: {
            const auto at = static_cast<size_t>(rule.value);
            return at < arguments.size() && !arguments[at].pointer ? std::optional<size_t>(arguments[at].value)
                                                                   : std::nullopt;
        }
        case kelvar::SizeKind::Reported: return std::nullopt;
    }
    return std::nullopt;
}

JournalArgument ParsePointer(const json& shown, int ordinal, int position, const std::string& name,
                             const std::vector<JournalArgument>& scalars) {
    JournalArgument argument;
    argument.pointer = true;
    const kelvar::BufferRule rule = kelvar::RuleOf(ordinal, position);
    const bool takesIn = rule.direction != kelvar::Direction::Out;
    const bool givesOut = rule.direction != kelvar::Direction::In;
    const auto in = shown.find("in");
    const auto out = shown.find("out");
    if (!takesIn && in != shown.end()) throw Damaged{name + ": an out buffer with \"in\""};
    if (!givesOut && out != shown.end()) throw Damaged{name + ": an in buffer with \"out\""};
    const auto& key = takesIn ? in : out;
    if (key != shown.end() && key->is_null()) {
        argument.null = true;
        return argument;
    }
    if (takesIn) {
        if (in == shown.end()) throw Damaged{name + ": no \"in\""};
        argument.in = ParseBytes(*in, name);
        const std::optional<size_t> size = SizeBeforeCall(rule, scalars);
        if (size && argument.in->bytes.size() != *size) {
            throw Damaged{name + ": " + std::to_string(argument.in->bytes.size()) + " bytes where the call takes " +
                          std::to_string(*size)};
        }
    }
    if (givesOut && out != shown.end()) argument.out = ParseBytes(*out, name);
    return argument;
}

JournalCall ParseCall(const json& line, size_t number) {
    JournalCall call{number, 0, 0, {}, 0, {}};
    call.ordinal = static_cast<int>(Integer(line, "ordinal", 0, std::numeric_limits<int>::max()));
    const FunctionInfo* info = FindFunction(call.ordinal);
    if (info == nullptr) throw Damaged{"ordinal " + std::to_string(call.ordinal) + " is not a library function"};
    call.function = info->cName;
    call.status = static_cast<int32_t>(
        Integer(line, "status", std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    if (line.contains("seq")) call.sequence = static_cast<uint64_t>(Integer(line, "seq", 0, std::numeric_limits<int64_t>::max()));
    const auto args = line.find("args");
    if (args == line.end() || !args->is_array()) throw Damaged{"no \"args\" list"};
    if (args->size() != info->arguments.size()) {
        throw Damaged{call.function + " takes " + std::to_string(info->arguments.size()) + " arguments, the line has " +
                      std::to_string(args->size())};
    }
    // Scalars first: buffer sizes may depend on any of them.
    call.arguments.resize(info->arguments.size());
    for (size_t i = 0; i < args->size(); ++i) {
        const json& shown = (*args)[i];
        if (!shown.is_object()) throw Damaged{"argument " + std::to_string(i + 1) + " is not an object"};
        if (info->arguments[i].pointer) continue;
        call.arguments[i].value = Integer(shown, "value", std::numeric_limits<int64_t>::min(),
                                          std::numeric_limits<int64_t>::max());
    }
    for (size_t i = 0; i < args->size(); ++i) {
        if (!info->arguments[i].pointer) continue;
        call.arguments[i] = ParsePointer((*args)[i], call.ordinal, static_cast<int>(i), info->arguments[i].name,
                                         call.arguments);
    }
    return call;
}

}  // namespace

bool JournalBytes::AnyMasked() const { return std::ranges::find(masked, true) != masked.end(); }

ParsedJournal ParseJournal(std::string_view content) {
    ParsedJournal parsed;
    size_t number = 0;
    while (!content.empty()) {
        ++number;
        const size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        if (line.size() > kLongestLine) {
            parsed.problems.push_back({number, "longer than " + std::to_string(kLongestLine) + " characters"});
            continue;
        }
        const json object = json::parse(line, nullptr, false);
        if (object.is_discarded() || !object.is_object()) {
            parsed.problems.push_back({number, "not a JSON object"});
            continue;
        }
        try {
            if (object.contains("journal")) {
                parsed.header = true;
                parsed.dropped = static_cast<uint64_t>(Integer(object, "dropped", 0, std::numeric_limits<int64_t>::max()));
                const auto masked = object.find("keysMasked");
                parsed.keysMasked = masked != object.end() && masked->is_boolean() && masked->get<bool>();
                continue;
            }
            parsed.calls.push_back(ParseCall(object, number));
        } catch (const Damaged& damaged) {
            parsed.problems.push_back({number, damaged.text});
        } catch (const json::exception& error) {
            parsed.problems.push_back({number, error.what()});
        }
    }
    return parsed;
}

}  // namespace journal
