#ifdef _WIN32

#include "kelvar/store/store_files.h"

#include <windows.h>

#include <atomic>
#include <random>
#include <thread>

namespace kelvar::store_files {

namespace fs = std::filesystem;

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (Valid()) CloseHandle(handle_);
    }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != 0;
    }

private:
    HANDLE handle_;
};

bool WriteAll(HANDLE file, const uint8_t* data, size_t size) {
    while (size > 0) {
        const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
        data += written;
        size -= written;
    }
    return true;
}

std::wstring UniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    static thread_local std::mt19937 random{std::random_device{}()};
    return L"." + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(counter++) + L"." +
           std::to_wstring(random() & 0xFFFFFF) + L".tmp";
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

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
    const HANDLE file = reinterpret_cast<HANDLE>(handle_);
    OVERLAPPED whole{};
    UnlockFileEx(file, 0, 1, 0, &whole);
    CloseHandle(file);
    handle_ = kNone;
}

FolderLock FolderLock::Acquire(const fs::path& folder, std::chrono::milliseconds timeout) {
    const fs::path file = folder / kLockFileName;
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return {};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        OVERLAPPED whole{};
        if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
            return FolderLock(reinterpret_cast<intptr_t>(handle));
        }
        const DWORD error = GetLastError();
        if ((error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING) ||
            std::chrono::steady_clock::now() >= deadline) {
            CloseHandle(handle);
            return {};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

ReadResult ReadAtMost(const fs::path& file, size_t limit) {
    ReadResult result;
    // Sharing delete lets another program replace the image while it is read.
    Handle handle(CreateFileW(file.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.Valid()) {
        const DWORD error = GetLastError();
        result.outcome = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadOutcome::kMissing
                                                                                        : ReadOutcome::kFailed;
        return result;
    }
    if (GetFileType(handle.Get()) != FILE_TYPE_DISK) return result;
    result.bytes.resize(limit);
    size_t got = 0;
    while (got < limit) {
        const size_t left = limit - got;
        const DWORD chunk = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
        DWORD n = 0;
        if (!ReadFile(handle.Get(), result.bytes.data() + got, chunk, &n, nullptr)) {
            result.bytes.clear();
            return result;
        }
        if (n == 0) break;
        got += n;
    }
    result.bytes.resize(got);
    result.outcome = ReadOutcome::kRead;
    return result;
}

bool ReplaceDurably(const fs::path& folder, const std::string& name, const std::vector<uint8_t>& content) {
    const std::wstring wideName(name.begin(), name.end());  // image names are ASCII
    fs::path temp;
    HANDLE raw = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 16 && raw == INVALID_HANDLE_VALUE; ++attempt) {
        temp = folder / (wideName + UniqueSuffix());
        // CREATE_NEW never opens an existing file or link; no sharing while written.
        raw = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (raw == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
    if (raw == INVALID_HANDLE_VALUE) return false;
    Handle file(raw);
    const bool written = WriteAll(file.Get(), content.data(), content.size()) && FlushFileBuffers(file.Get());
    if (!file.Close() || !written ||
        !MoveFileExW(temp.c_str(), (folder / wideName).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

bool MoveWithoutReplacing(const fs::path& from, const fs::path& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace kelvar::store_files

#endif  // _WIN32
