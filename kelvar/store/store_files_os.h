// The platform primitives store_files.cpp is built on; store_files_posix.cpp
// and store_files_windows.cpp each define them. A file is a descriptor or a
// HANDLE held in an intptr_t.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "kelvar/store/store_files.h"

namespace kelvar::store_files::os {

using File = intptr_t;
inline constexpr File kNoFile = -1;

bool Close(File file);

// Closes the file when dropped.
class OwnedFile {
public:
    explicit OwnedFile(File file) : file_(file) {}
    OwnedFile(const OwnedFile&) = delete;
    OwnedFile& operator=(const OwnedFile&) = delete;
    ~OwnedFile() {
        if (file_ != kNoFile) Close();
    }
    File Get() const { return file_; }
    // Closes now and reports whether the close succeeded.
    bool Close() {
        const File file = file_;
        file_ = kNoFile;
        return os::Close(file);
    }

private:
    File file_;
};

// Opens or creates the lock file, read-write.
File OpenLockFile(const std::filesystem::path& file);
enum class LockAttempt { kTaken, kBusy, kFailed };
LockAttempt TryLock(File lockFile);
// Drops the lock and closes the file.
void Unlock(File lockFile);

// kNoFile with `whyNot` set when the file cannot be opened; `whyNot` is
// left alone otherwise.
File OpenForReading(const std::filesystem::path& file, ReadOutcome& whyNot);
bool IsRegularFile(File file);
// Bytes read into `data` (0 at the end), or -1 on an error.
int64_t ReadSome(File file, uint8_t* data, size_t size);

// Creates `file` for writing only when nothing of that name exists (a link is
// never followed); kNoFile with `exists` set when the name is taken.
File CreateNew(const std::filesystem::path& file, bool& exists);
// Writes everything and flushes it to the disk.
bool WriteAllAndFlush(File file, const uint8_t* data, size_t size);
// Puts `from` in place of `to`, replacing it, durably where the system can.
bool Replace(const std::filesystem::path& from, const std::filesystem::path& to);
void Remove(const std::filesystem::path& file);
unsigned ProcessId();
// False only when no process of that number runs (a process we may not
// look at counts as running).
bool ProcessRuns(unsigned id);

}  // namespace kelvar::store_files::os
