#include "vantrel/toolkit/command_history.h"

#include <fstream>

#include "vantrel/toolkit/file_content.h"

namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace

void CommandHistory::Add(std::string_view entry) {
    entry = UpToNul(entry);
    if (!entries_.empty() && entries_.back() == entry) return;
    if (entries_.size() > kLimit) entries_.pop_front();
    entries_.emplace_back(entry);
}

void CommandHistory::Parse(std::string_view content) {
    std::string line;
    size_t i = 0;
    while (true) {
        line.clear();
        while (i < content.size()) {
            const char c = content[i++];
            if (line.empty() && (c == kCr || c == kLf || c == ' ')) continue;
            if (c == kCr) break;
            if (line.size() == kLineLimit) break;  // this byte is dropped
            line.push_back(c);
        }
        if (line.empty()) return;
        Add(line);
    }
}

std::string CommandHistory::Serialise() const {
    std::string content;
    for (const std::string& entry : entries_) {
        content += entry;
        content += "\r\n";
    }
    return content;
}

bool CommandHistory::Load(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::string content(kFileLimit, '\0');
    file.read(content.data(), static_cast<std::streamsize>(content.size()));
    if (file.bad()) return false;
    content.resize(static_cast<std::size_t>(file.gcount()));
    Parse(content);
    return true;
}

bool CommandHistory::Save(const std::filesystem::path& path) const {
    const std::string content = Serialise();
    // A file that holds the list already stays as it is: a panel that sent
    // nothing pays a read, not a new file and a rename.
    std::string stored;
    if (ReadFileContent(path, content.size(), stored) == FileRead::Read && stored == content) return true;
    return ReplaceFileContent(path, content);
}
