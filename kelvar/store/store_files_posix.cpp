#ifndef _WIN32

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "kelvar/store/store_files_os.h"

namespace kelvar::store_files {

namespace fs = std::filesystem;

namespace {

int Fd(os::File file) { return static_cast<int>(file); }

void SyncFolder(const fs::path& folder) {
    // Some file systems cannot sync a folder; the change is in place either way.
    os::OwnedFile dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(Fd(dir.Get()));
}

}  // namespace

namespace os {

bool Close(File file) { return ::close(Fd(file)) == 0; }

File OpenLockFile(const fs::path& file) {
    return ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

LockAttempt TryLock(File lockFile) {
    if (::flock(Fd(lockFile), LOCK_EX | LOCK_NB) == 0) return LockAttempt::kTaken;
    return errno == EWOULDBLOCK || errno == EINTR ? LockAttempt::kBusy : LockAttempt::kFailed;
}

void Unlock(File lockFile) { ::close(Fd(lockFile)); }  // closing drops the lock

File OpenForReading(const fs::path& file, ReadOutcome& whyNot) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) whyNot = errno == ENOENT ? ReadOutcome::kMissing : ReadOutcome::kFailed;
    return fd;
}

bool IsRegularFile(File file) {
    struct stat info {};
    return ::fstat(Fd(file), &info) == 0 && S_ISREG(info.st_mode);
}

int64_t ReadSome(File file, uint8_t* data, size_t size) {
    for (;;) {
        const ssize_t n = ::read(Fd(file), data, size);
        if (n >= 0 || errno != EINTR) return n;
    }
}

File CreateNew(const fs::path& file, bool& exists) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    exists = fd < 0 && errno == EEXIST;
    return fd;
}

bool WriteAllAndFlush(File file, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(Fd(file), data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return ::fsync(Fd(file)) == 0;
}

bool Replace(const fs::path& from, const fs::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return false;
    SyncFolder(to.parent_path());  // the rename must reach the disk too
    return true;
}

void Remove(const fs::path& file) { ::unlink(file.c_str()); }

unsigned ProcessId() { return static_cast<unsigned>(::getpid()); }

bool ProcessRuns(unsigned id) {
    if (id == 0 || id > unsigned(INT32_MAX)) return false;
    return ::kill(static_cast<pid_t>(id), 0) == 0 || errno != ESRCH;
}

}  // namespace os

bool MoveWithoutReplacing(const fs::path& from, const fs::path& to) {
    // A hard link fails when `to` exists; the old name is dropped after.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
    } else {
        // File systems without hard links: callers hold the folder lock.
        struct stat info {};
        if (errno == EEXIST || ::lstat(to.c_str(), &info) == 0) return false;
        if (::rename(from.c_str(), to.c_str()) != 0) return false;
    }
    SyncFolder(from.parent_path());
    return true;
}

}  // namespace kelvar::store_files

#endif  // _WIN32
