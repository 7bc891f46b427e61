// The shared secret of a reader server and its clients, kept in a file of its
// own: the file's bytes without the line end and blanks after them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kelvar::net {

inline constexpr size_t kShortestSecret = 16;
inline constexpr size_t kLongestSecret = 4096;

// The secret, or nothing with `error` saying why.
std::optional<std::vector<uint8_t>> LoadSecret(const std::filesystem::path& file, std::string& error);

}  // namespace kelvar::net
