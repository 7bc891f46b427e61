#include "kelvar/net/secret.h"

#include "kelvar/store/store_files.h"

namespace kelvar::net {

std::optional<std::vector<uint8_t>> LoadSecret(const std::filesystem::path& file, std::string& error) {
    store_files::ReadResult read;
    try {
        read = store_files::ReadAtMost(file, kLongestSecret + 1);
    } catch (...) {
        read.outcome = store_files::ReadOutcome::kFailed;
    }
    if (read.outcome != store_files::ReadOutcome::kRead) {
        error = read.outcome == store_files::ReadOutcome::kMissing ? "no such file" : "cannot be read";
        return std::nullopt;
    }
    std::vector<uint8_t>& bytes = read.bytes;
    if (bytes.size() > kLongestSecret) {
        error = std::string("longer than ") + std::to_string(kLongestSecret) + " bytes";
        return std::nullopt;
    }
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r' || bytes.back() == ' ' || bytes.back() == '\t')) {
        bytes.pop_back();
    }
    if (bytes.size() < kShortestSecret) {
        error = std::string("shorter than ") + std::to_string(kShortestSecret) + " bytes";
        return std::nullopt;
    }
    return std::move(bytes);
}

}  // namespace kelvar::net
