#include "kelvar/reader/field_config.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

namespace kelvar {

namespace fs = std::filesystem;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Cuts a comment off: '#' opens one at the start of a line or after a blank,
// so a '#' inside a folder name stays.
std::string_view StripComment(std::string_view line) {
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || IsBlank(line[i - 1]))) return line.substr(0, i);
    }
    return line;
}

bool KeyIs(std::string_view key, std::string_view expected) {
    if (key.size() != expected.size()) return false;
    for (size_t i = 0; i < key.size(); ++i) {
        char c = key[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != expected[i]) return false;
    }
    return true;
}

std::vector<CardKind> ParseKindList(std::string_view value) {
    std::vector<CardKind> kinds;
    while (!value.empty()) {
        const size_t comma = value.find(',');
        const std::string_view item = Trim(value.substr(0, comma));
        value = comma == std::string_view::npos ? std::string_view{} : value.substr(comma + 1);
        const auto kind = FindCardKind(item);
        if (kind && std::find(kinds.begin(), kinds.end(), *kind) == kinds.end()) kinds.push_back(*kind);
    }
    return kinds;
}

fs::path ResolveFolder(std::string_view value, const fs::path& dllFolder) {
    // Paths in the file are UTF-8.
    const std::u8string text(value.begin(), value.end());
    fs::path folder(text);
    if (folder.is_relative()) folder = dllFolder / folder;
    return folder.lexically_normal();
}

}  // namespace

bool FieldConfig::Holds(CardKind kind) const {
    return std::find(field.begin(), field.end(), kind) != field.end();
}

FieldConfig DefaultFieldConfig(const fs::path& dllFolder) {
    FieldConfig config;
    config.imageFolder = (dllFolder / kDefaultImageFolder).lexically_normal();
    const auto all = AllCardKinds();
    config.field.assign(all.begin(), all.end());
    return config;
}

FieldConfig ParseFieldConfig(std::string_view text, const fs::path& dllFolder) {
    FieldConfig config = DefaultFieldConfig(dllFolder);
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = Trim(StripComment(text.substr(0, end)));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);

        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        const std::string_view key = Trim(line.substr(0, eq));
        const std::string_view value = Trim(line.substr(eq + 1));
        if (KeyIs(key, "images")) {
            if (!value.empty()) config.imageFolder = ResolveFolder(value, dllFolder);
        } else if (KeyIs(key, "field")) {
            config.field = ParseKindList(value);
        } else if (KeyIs(key, "contact")) {
            config.contactCard.assign(value.begin(), value.end());
            for (char& c : config.contactCard) {
                if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            }
        }
    }
    return config;
}

FieldConfig LoadFieldConfig(const fs::path& file, const fs::path& dllFolder) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return DefaultFieldConfig(dllFolder);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return ParseFieldConfig(text, dllFolder);
}

}  // namespace kelvar
