#ifndef _WIN32

#include "kelvar/store/store_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <random>
#include <thread>

namespace kelvar::store_files {

namespace fs = std::filesystem;

namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }
    // Closes now and reports whether the close succeeded.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

std::string UniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    static thread_local std::mt19937 random{std::random_device{}()};
    return "." + std::to_string(::getpid()) + "." + std::to_string(counter++) + "." +
           std::to_string(random() & 0xFFFFFF) + ".tmp";
}

bool SyncFolder(const fs::path& folder) {
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return dir.Get() >= 0 && ::fsync(dir.Get()) == 0;
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
    ::close(static_cast<int>(handle_));  // closing drops the lock
    handle_ = kNone;
}

FolderLock FolderLock::Acquire(const fs::path& folder, std::chrono::milliseconds timeout) {
    const fs::path file = folder / kLockFileName;
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return {};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return FolderLock(fd);
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            return {};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

ReadResult ReadAtMost(const fs::path& file, size_t limit) {
    ReadResult result;
    Fd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
        result.outcome = errno == ENOENT ? ReadOutcome::kMissing : ReadOutcome::kFailed;
        return result;
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return result;
    result.bytes.resize(limit);
    size_t got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd.Get(), result.bytes.data() + got, limit - got);
        if (n < 0) {
            if (errno == EINTR) continue;
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
    int raw = -1;
    for (int attempt = 0; attempt < 16 && raw < 0; ++attempt) {
        temp = folder / (name + UniqueSuffix());
        raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (raw < 0 && errno != EEXIST) return false;
    }
    if (raw < 0) return false;
    Fd fd(raw);
    const bool written = WriteAll(fd.Get(), content.data(), content.size()) && ::fsync(fd.Get()) == 0;
    if (!fd.Close() || !written || ::rename(temp.c_str(), (folder / name).c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename must reach the disk too; some file systems cannot sync a
    // folder, and the new image is in place either way.
    SyncFolder(folder);
    return true;
}

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
