#include "vantrel/toolkit/file_content.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <system_error>

namespace {

// A name no other save (of this or another program) uses at the same time.
std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path temp = path;
    temp += ".tmp" + std::to_string(ticks) + "-" + std::to_string(counter++);
    return temp;
}

}  // namespace

FileRead ReadFileContent(const std::filesystem::path& path, std::size_t limit, std::string& content) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return FileRead::Unreadable;
    std::string read(limit + 1, '\0');
    file.read(read.data(), static_cast<std::streamsize>(read.size()));
    if (file.bad()) return FileRead::Unreadable;
    const auto count = static_cast<std::size_t>(file.gcount());
    if (count > limit) return FileRead::TooLarge;
    read.resize(count);
    content = std::move(read);
    return FileRead::Read;
}

bool ReplaceFileContent(const std::filesystem::path& path, std::string_view content) {
    const std::filesystem::path temp = TemporaryBeside(path);
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        if (file) file.write(content.data(), static_cast<std::streamsize>(content.size()));
        if (file) file.flush();
        if (!file) {
            file.close();
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temp, path, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return false;
    }
    return true;
}
