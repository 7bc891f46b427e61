// Whole files as bytes: read with a bound, so that a huge file beside the
// program cannot exhaust the process, and replaced whole, so that a failed
// or interrupted write leaves the previous file as it was.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

enum class FileRead { Read, Unreadable, TooLarge };

// At most `limit` bytes; TooLarge (and nothing) when the file holds more.
FileRead ReadFileContent(const std::filesystem::path& path, std::size_t limit, std::string& content);

// Writes `content` to a new file beside `path` and puts it in place only
// when all of it is written.
bool ReplaceFileContent(const std::filesystem::path& path, std::string_view content);
