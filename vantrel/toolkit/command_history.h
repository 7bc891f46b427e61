// The commands a panel sent, oldest first, kept between runs in a text file
// beside the program: one command per CR LF line, no header.
#pragma once

#include <cstddef>
#include <deque>
#include <filesystem>
#include <string>
#include <string_view>

class CommandHistory {
public:
    // An append to a list of more than this many entries drops the oldest, so
    // the list peaks at kLimit + 1 entries.
    static constexpr std::size_t kLimit = 200;
    // Longest line a file may hold; the byte after it is dropped.
    static constexpr std::size_t kLineLimit = 1024;
    // What a full list of the longest lines takes in a file, CR LF included:
    // Load reads no more, however large the file beside the program grew.
    static constexpr std::size_t kFileLimit = (kLimit + 1) * (kLineLimit + 2);

    // Appends `entry` unless it equals the newest entry. Text after a NUL is
    // not part of an entry.
    void Add(std::string_view entry);
    void Clear() { entries_.clear(); }
    std::size_t Count() const { return entries_.size(); }
    const std::string& Get(std::size_t index) const { return entries_[index]; }

    // Appends the lines of a file's content through Add: leading CR, LF and
    // blanks of a line are skipped, a CR ends it, and a line that reached
    // kLineLimit bytes ends there, the next byte being dropped.
    void Parse(std::string_view content);
    // The file content of the list.
    std::string Serialise() const;

    // Appends the lines of the file's first kFileLimit bytes; a missing or
    // unreadable file adds nothing.
    bool Load(const std::filesystem::path& path);
    // Writes the list to a new file beside `path` and puts it in place only
    // when all of it is written, so a failed or interrupted save leaves the
    // previous file whole. A file that holds exactly the list is left alone.
    bool Save(const std::filesystem::path& path) const;

private:
    std::deque<std::string> entries_;
};
