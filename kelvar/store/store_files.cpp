#include "kelvar/store/store_files.h"

#include <atomic>
#include <charconv>
#include <cstdint>
#include <random>
#include <thread>

#include "kelvar/store/store_files_os.h"

namespace kelvar::store_files {

namespace fs = std::filesystem;

namespace {

std::string UniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    static thread_local std::mt19937 random{std::random_device{}()};
    std::string suffix;
    for (const unsigned part : {os::ProcessId(), counter++, static_cast<unsigned>(random() & 0xFFFFFF)}) {
        suffix += '.';
        suffix += std::to_string(part);
    }
    return suffix + ".tmp";
}

// The writing process of `<name>.<process>.<n>.<random>.tmp`, or 0.
unsigned WriterOf(const std::string& file) {
    constexpr std::string_view kEnd = ".tmp";
    if (file.size() <= kEnd.size() || !file.ends_with(kEnd)) return 0;
    std::string_view rest(file.data(), file.size() - kEnd.size());
    unsigned long long parts[3] = {};
    for (int i = 2; i >= 0; --i) {
        const size_t dot = rest.rfind('.');
        if (dot == std::string_view::npos || dot == 0) return 0;
        const std::string_view digits = rest.substr(dot + 1);
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), parts[i]);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return 0;
        rest = rest.substr(0, dot);
    }
    return parts[0] <= UINT32_MAX ? static_cast<unsigned>(parts[0]) : 0;
}

}  // namespace

FolderLock::FolderLock(FolderLock&& other) noexcept : handle_(other.handle_) { other.handle_ = kNone; }

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = other.handle_;
        other.handle_ = kNone;
    }
    return *this;
}

FolderLock::~FolderLock() { Release(); }

void FolderLock::Release() {
    if (handle_ == kNone) return;
    os::Unlock(handle_);
    handle_ = kNone;
}

FolderLock FolderLock::Acquire(const fs::path& folder, std::chrono::milliseconds timeout) {
    const os::File file = os::OpenLockFile(folder / kLockFileName);
    if (file == os::kNoFile) return {};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const os::LockAttempt attempt = os::TryLock(file);
        if (attempt == os::LockAttempt::kTaken) return FolderLock(file);
        if (attempt == os::LockAttempt::kFailed || std::chrono::steady_clock::now() >= deadline) {
            os::Close(file);
            return {};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

ReadResult ReadAtMost(const fs::path& file, size_t limit) {
    ReadResult result;
    os::OwnedFile input(os::OpenForReading(file, result.outcome));
    if (input.Get() == os::kNoFile) return result;
    if (!os::IsRegularFile(input.Get())) return result;
    result.bytes.resize(limit);
    size_t got = 0;
    while (got < limit) {
        const int64_t n = os::ReadSome(input.Get(), result.bytes.data() + got, limit - got);
        if (n < 0) {
            result.bytes.clear();
            return result;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    result.bytes.resize(got);
    result.outcome = ReadOutcome::kRead;
    return result;
}

bool ReplaceDurably(const fs::path& folder, const std::string& name, const std::vector<uint8_t>& content) {
    fs::path temp;
    os::File raw = os::kNoFile;
    for (int attempt = 0; attempt < 16 && raw == os::kNoFile; ++attempt) {
        temp = folder / (name + UniqueSuffix());
        bool exists = false;
        raw = os::CreateNew(temp, exists);
        if (raw == os::kNoFile && !exists) return false;
    }
    if (raw == os::kNoFile) return false;
    os::OwnedFile output(raw);
    const bool written = os::WriteAllAndFlush(output.Get(), content.data(), content.size());
    if (!output.Close() || !written || !os::Replace(temp, folder / name)) {
        os::Remove(temp);
        return false;
    }
    return true;
}

size_t RemoveOrphanedTemporaries(const fs::path& folder) {
    size_t removed = 0;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const unsigned writer = WriterOf(it->path().filename().string());
        if (writer == 0 || writer == os::ProcessId() || os::ProcessRuns(writer)) continue;
        std::error_code ignored;
        if (it->is_regular_file(ignored) && fs::remove(it->path(), ignored)) ++removed;
    }
    return removed;
}

}  // namespace kelvar::store_files
