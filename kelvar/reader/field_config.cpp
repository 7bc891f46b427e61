#include "kelvar/reader/field_config.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "kelvar/store/store_files.h"

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

// Strict UTF-8: no overlong forms, surrogates or code points past U+10FFFF,
// and no NUL, which would cut a folder name short.
bool IsUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead == 0) return false;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        size_t length = 0;
        uint32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (text.size() - i < length) return false;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
            (length == 4 && (code < 0x10000 || code > 0x10FFFF))) {
            return false;
        }
        i += length;
    }
    return true;
}

std::string LineNote(size_t number, std::string_view what) {
    return "line " + std::to_string(number) + ": " + std::string(what);
}

// `contact`: the list of the contact slot, which takes contact cards only.
std::vector<CardKind> ParseKindList(std::string_view value, bool contact, size_t lineNumber,
                                    std::vector<std::string>& notes) {
    std::vector<CardKind> kinds;
    while (!value.empty()) {
        const size_t comma = value.find(',');
        const std::string_view item = Trim(value.substr(0, comma));
        value = comma == std::string_view::npos ? std::string_view{} : value.substr(comma + 1);
        if (item.empty()) continue;
        const auto kind = FindCardKind(item);
        if (!kind) {
            notes.push_back(LineNote(lineNumber, "unknown card \"" + std::string(item) + "\" skipped"));
        } else if (IsContactKind(*kind) != contact) {
            std::string note(1, '"');
            note.append(item).append("\" belongs in the ").append(contact ? "field" : "contact slot");
            notes.push_back(LineNote(lineNumber, note.append(", skipped")));
        } else if (std::find(kinds.begin(), kinds.end(), *kind) == kinds.end()) {
            kinds.push_back(*kind);
        }
    }
    return kinds;
}

std::optional<bool> ParseSwitch(std::string_view value) {
    for (const std::string_view yes : {"yes", "on", "true", "1"}) {
        if (KeyIs(value, yes)) return true;
    }
    for (const std::string_view no : {"no", "off", "false", "0"}) {
        if (KeyIs(value, no)) return false;
    }
    return std::nullopt;
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
    const auto field = AllCardKinds();
    config.field.assign(field.begin(), field.end());
    return config;
}

FieldConfig ParseFieldConfig(std::string_view text, const fs::path& dllFolder) {
    FieldConfig config = DefaultFieldConfig(dllFolder);
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    for (size_t number = 1; !text.empty(); ++number) {
        const size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        // Another encoding would name another folder than the one meant.
        if (!IsUtf8(raw)) {
            config.notes.push_back(LineNote(number, "not UTF-8, skipped (save the file as UTF-8)"));
            continue;
        }
        const std::string_view line = Trim(StripComment(raw));
        if (line.empty()) continue;

        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            config.notes.push_back(LineNote(number, "no '=', skipped"));
            continue;
        }
        const std::string_view key = Trim(line.substr(0, eq));
        const std::string_view value = Trim(line.substr(eq + 1));
        if (KeyIs(key, "images")) {
            if (value.empty()) continue;
            try {
                config.imageFolder = ResolveFolder(value, dllFolder);
            } catch (const std::exception&) {
                config.notes.push_back(LineNote(number, "folder name not usable, skipped"));
            }
        } else if (KeyIs(key, "field")) {
            config.field = ParseKindList(value, false, number, config.notes);
        } else if (KeyIs(key, "secret_file")) {
            try {
                config.secretFile = value.empty() ? fs::path() : ResolveFolder(value, dllFolder);
            } catch (const std::exception&) {
                config.notes.push_back(LineNote(number, "file name not usable, skipped"));
            }
        } else if (KeyIs(key, "backend")) {
            config.backend.assign(value.begin(), value.end());
        } else if (KeyIs(key, "pcsc_reader")) {
            config.pcscReader.assign(value.begin(), value.end());
        } else if (KeyIs(key, "pcsc_sam")) {
            config.pcscSam = value.empty() ? std::nullopt : std::optional<std::string>(value);
        } else if (KeyIs(key, "contact")) {
            config.contact = ParseKindList(value, true, number, config.notes);
        } else if (KeyIs(key, "follow")) {
            if (const auto on = ParseSwitch(value)) {
                config.followCardType = *on;
            } else {
                config.notes.push_back(LineNote(number, "follow takes yes or no, skipped"));
            }
        } else {
            config.notes.push_back(LineNote(number, "unknown key \"" + std::string(key) + "\" skipped"));
        }
    }
    return config;
}

FieldConfig LoadFieldConfig(const fs::path& file, const fs::path& dllFolder) {
    const std::u8string name = file.filename().u8string();
    const std::string prefix = std::string(name.begin(), name.end()) + ": ";
    try {
        const auto read = store_files::ReadAtMost(file, kFieldConfigLimit + 1);
        if (read.outcome == store_files::ReadOutcome::kMissing) {
            FieldConfig config = DefaultFieldConfig(dllFolder);
            config.file = file;
            return config;
        }
        if (read.outcome == store_files::ReadOutcome::kFailed) {
            FieldConfig config = DefaultFieldConfig(dllFolder);
            config.notes.push_back(prefix + "cannot be read, defaults used");
            return config;
        }
        std::string_view text(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size());
        const bool cut = text.size() > kFieldConfigLimit;
        if (cut) {
            // Only whole lines of the first 64 KiB count.
            text = text.substr(0, kFieldConfigLimit);
            const size_t lastEnd = text.rfind('\n');
            text = lastEnd == std::string_view::npos ? std::string_view{} : text.substr(0, lastEnd + 1);
        }
        FieldConfig config = ParseFieldConfig(text, dllFolder);
        config.file = file;
        for (auto& note : config.notes) note.insert(0, prefix);
        if (cut) config.notes.push_back(prefix + "longer than 64 KiB, the rest skipped");
        return config;
    } catch (...) {
        FieldConfig config = DefaultFieldConfig(dllFolder);
        config.notes.push_back(prefix + "could not be read, defaults used");
        return config;
    }
}

std::string WithFollowSetting(std::string_view text, bool on) {
    const std::string_view line = on ? "follow = yes" : "follow = no";
    const std::string_view eol = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
    // The last follow line is the one that counts.
    size_t found = std::string_view::npos, foundEnd = 0;
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view entry = Trim(StripComment(text.substr(at, end - at)));
        const size_t eq = entry.find('=');
        if (eq != std::string_view::npos && KeyIs(Trim(entry.substr(0, eq)), "follow")) {
            found = at;
            foundEnd = end > at && text[end - 1] == '\r' ? end - 1 : end;
        }
        at = end + 1;
    }
    std::string out(text);
    if (found != std::string_view::npos) return out.replace(found, foundEnd - found, line);
    if (!out.empty() && out.back() != '\n') out += eol;
    return out.append(line).append(eol);
}

bool SaveFollowSetting(const fs::path& file, bool on) {
    try {
        const auto read = store_files::ReadAtMost(file, kFieldConfigLimit + 1);
        if (read.outcome == store_files::ReadOutcome::kFailed || read.bytes.size() > kFieldConfigLimit) return false;
        const std::string_view text(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size());
        const std::string next = WithFollowSetting(text, on);
        // The store's file operations take ASCII names.
        const std::u8string name = file.filename().u8string();
        if (name.empty() || std::any_of(name.begin(), name.end(), [](char8_t c) { return c >= 0x80; })) return false;
        return store_files::ReplaceDurably(file.parent_path(), std::string(name.begin(), name.end()),
                                           std::vector<uint8_t>(next.begin(), next.end()));
    } catch (...) {
        return false;
    }
}

}  // namespace kelvar
