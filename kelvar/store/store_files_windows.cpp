#ifdef _WIN32

#include <windows.h>

#include "kelvar/store/store_files_os.h"

namespace kelvar::store_files {

namespace fs = std::filesystem;

namespace {

HANDLE Handle(os::File file) { return reinterpret_cast<HANDLE>(file); }
os::File FromHandle(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? os::kNoFile : reinterpret_cast<os::File>(handle);
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr size_t kLargestChunk = 0x10000000;

DWORD Chunk(size_t size) { return static_cast<DWORD>(size > kLargestChunk ? kLargestChunk : size); }

}  // namespace

namespace os {

bool Close(File file) { return CloseHandle(Handle(file)) != 0; }

File OpenLockFile(const fs::path& file) {
    return FromHandle(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

LockAttempt TryLock(File lockFile) {
    OVERLAPPED whole{};
    if (LockFileEx(Handle(lockFile), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
        return LockAttempt::kTaken;
    }
    const DWORD error = GetLastError();
    return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? LockAttempt::kBusy : LockAttempt::kFailed;
}

void Unlock(File lockFile) {
    OVERLAPPED whole{};
    UnlockFileEx(Handle(lockFile), 0, 1, 0, &whole);
    CloseHandle(Handle(lockFile));
}

File OpenForReading(const fs::path& file, ReadOutcome& whyNot) {
    // Sharing delete lets another program replace the image while it is read.
    const HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        whyNot = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadOutcome::kMissing
                                                                                : ReadOutcome::kFailed;
    }
    return FromHandle(handle);
}

bool IsRegularFile(File file) { return GetFileType(Handle(file)) == FILE_TYPE_DISK; }

int64_t ReadSome(File file, uint8_t* data, size_t size) {
    DWORD n = 0;
    if (!ReadFile(Handle(file), data, Chunk(size), &n, nullptr)) return -1;
    return n;
}

File CreateNew(const fs::path& file, bool& exists) {
    // CREATE_NEW never opens an existing file or link; no sharing while written.
    const HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    exists = handle == INVALID_HANDLE_VALUE &&
             (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS);
    return FromHandle(handle);
}

bool WriteAllAndFlush(File file, const uint8_t* data, size_t size) {
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(Handle(file), data, Chunk(size), &written, nullptr) || written == 0) return false;
        data += written;
        size -= written;
    }
    return FlushFileBuffers(Handle(file)) != 0;
}

bool Replace(const fs::path& from, const fs::path& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void Remove(const fs::path& file) { DeleteFileW(file.c_str()); }

unsigned ProcessId() { return GetCurrentProcessId(); }

bool ProcessRuns(unsigned id) {
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (process == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

}  // namespace os

bool MoveWithoutReplacing(const fs::path& from, const fs::path& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace kelvar::store_files

#endif  // _WIN32
