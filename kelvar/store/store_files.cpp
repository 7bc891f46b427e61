#include "kelvar/store/store_files.h"

#include <atomic>
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

}  // namespace kelvar::store_files
