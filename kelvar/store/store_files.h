// File operations of the image store that differ between Windows and POSIX:
// a lock on the image folder shared with other processes, bounded reads,
// durable replacement through a private temporary file, and moving a file
// aside without replacing anything.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kelvar::store_files {

// Held while alive; other processes and other stores on the same folder wait.
class FolderLock {
public:
    FolderLock() = default;
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

    // Waits at most `timeout`; an unlocked FolderLock when that was not enough
    // or the lock file cannot be opened.
    static FolderLock Acquire(const std::filesystem::path& folder, std::chrono::milliseconds timeout);

    bool Held() const { return handle_ != kNone; }

private:
    static constexpr intptr_t kNone = -1;
    explicit FolderLock(intptr_t handle) : handle_(handle) {}
    void Release();

    intptr_t handle_ = kNone;  // file descriptor, or HANDLE on Windows
};

inline constexpr char kLockFileName[] = "kelvar.lock";

enum class ReadOutcome { kRead, kMissing, kFailed };

struct ReadResult {
    ReadOutcome outcome = ReadOutcome::kFailed;
    std::vector<uint8_t> bytes;  // at most `limit` bytes
};

// Reads at most `limit` bytes of `file`.
ReadResult ReadAtMost(const std::filesystem::path& file, size_t limit);

// Writes `content` to a new, private temporary file in `folder`, created
// exclusively (an existing file or link of that name is never opened), flushes
// it to the disk and then puts it in place of `folder / name`. False when any
// step fails; `folder / name` is then unchanged and the temporary removed.
bool ReplaceDurably(const std::filesystem::path& folder, const std::string& name,
                    const std::vector<uint8_t>& content);

// Renames `from` to `to`; false when `to` exists or the rename fails.
bool MoveWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Removes the temporary files ReplaceDurably left in `folder` when its
// process ended in the middle (`<name>.<process>.<n>.<random>.tmp` of a
// process that is gone). Call it holding the folder's lock. The count removed.
size_t RemoveOrphanedTemporaries(const std::filesystem::path& folder);

}  // namespace kelvar::store_files
