#include "kelvar/store/image_store.h"

#include <fstream>
#include <system_error>
#include <variant>

#include "kelvar/store/store_files.h"
#include "kelvar/store/store_time.h"

namespace kelvar {

namespace fs = std::filesystem;
using store_files::FolderLock;
using store_files::ReadOutcome;

ImageStore::ImageStore(fs::path folder, std::chrono::milliseconds lockTimeout)
    : folder_(std::move(folder)), lockTimeout_(lockTimeout) {
    if (folder_.empty()) return;
    try {
        std::error_code ec;
        if (!fs::is_directory(folder_, ec)) return;
        // What writers killed in the middle of a save left behind.
        const FolderLock lock = FolderLock::Acquire(folder_, lockTimeout_);
        if (!lock.Held()) return;
        if (const size_t removed = store_files::RemoveOrphanedTemporaries(folder_); removed > 0) {
            LogHeld(std::to_string(removed) + " temporary file(s) of interrupted saves removed");
        }
    } catch (...) {
        // A folder that cannot be listed keeps its files; saves still work.
    }
}

std::optional<Bytes> ImageStore::Load(const std::string& name, size_t expectedSize) const {
    if (folder_.empty()) {
        for (const auto& [key, image] : memory_) {
            if (key == name && image.size() == expectedSize) return image;
        }
        return std::nullopt;
    }
    try {
        // Without the lock (folder missing, or busy too long) the file is
        // still read, since replacements are atomic, but never moved.
        const FolderLock lock = FolderLock::Acquire(folder_, lockTimeout_);
        // One byte more than the largest usable file shows a file too long.
        const auto read = store_files::ReadAtMost(folder_ / name, kImageHeaderSize + expectedSize + 1);
        if (read.outcome == ReadOutcome::kMissing) return std::nullopt;
        if (read.outcome == ReadOutcome::kFailed) {
            if (lock.Held()) LogHeld(name + ": cannot be read, not used");
            return std::nullopt;
        }
        auto decoded = DecodeImageFile(name, expectedSize, read.bytes);
        if (auto* image = std::get_if<Bytes>(&decoded)) return std::move(*image);
        const std::string& reason = std::get<ImageDamage>(decoded).reason;
        if (lock.Held()) {
            MoveAside(name, reason);
        }
        return std::nullopt;
    } catch (...) {
        return std::nullopt;
    }
}

bool ImageStore::Save(const std::string& name, const Bytes& image) {
    if (folder_.empty()) {
        for (auto& [key, stored] : memory_) {
            if (key == name) {
                stored = image;
                return true;
            }
        }
        memory_.emplace_back(name, image);
        return true;
    }
    try {
        std::error_code ec;
        fs::create_directories(folder_, ec);
        const FolderLock lock = FolderLock::Acquire(folder_, lockTimeout_);
        if (!lock.Held()) return false;
        return store_files::ReplaceDurably(folder_, name, EncodeImageFile(name, image));
    } catch (...) {
        return false;
    }
}

bool ImageStore::Remove(const std::string& name) {
    if (folder_.empty()) {
        std::erase_if(memory_, [&](const auto& entry) { return entry.first == name; });
        return true;
    }
    try {
        const FolderLock lock = FolderLock::Acquire(folder_, lockTimeout_);
        std::error_code ec;
        if (!lock.Held() && fs::exists(folder_, ec)) return false;
        fs::remove(folder_ / name, ec);
        return !ec && !fs::exists(folder_ / name, ec);
    } catch (...) {
        return false;
    }
}

void ImageStore::Log(std::string_view text) const {
    if (folder_.empty()) return;
    try {
        std::error_code ec;
        fs::create_directories(folder_, ec);
        const FolderLock lock = FolderLock::Acquire(folder_, lockTimeout_);
        if (lock.Held()) LogHeld(text);
    } catch (...) {
        // The log is a help for the operator; the library works without it.
    }
}

void ImageStore::LogHeld(std::string_view text) const {
    const fs::path log = folder_ / kStoreLogName;
    std::error_code ec;
    const auto size = fs::file_size(log, ec);
    if (!ec && size > kStoreLogLimit) {
        fs::path old = log;
        old += ".old";
        fs::rename(log, old, ec);
    }
    std::ofstream out(log, std::ios::binary | std::ios::app);
    out << ReadableUtcStamp(std::chrono::system_clock::now()) << "  " << text << "\n";
}

void ImageStore::MoveAside(const std::string& name, const std::string& reason) const {
    const std::string stamp = CompactUtcStamp(std::chrono::system_clock::now());
    for (int n = 1; n <= 100; ++n) {
        std::string aside = name;
        aside.append(".damaged.").append(stamp);
        if (n > 1) aside.append("-").append(std::to_string(n));
        if (store_files::MoveWithoutReplacing(folder_ / name, folder_ / aside)) {
            LogHeld(name + ": " + reason + "; moved aside to " + aside + ", the card starts from its factory state");
            return;
        }
        std::error_code ec;
        if (!fs::exists(folder_ / aside, ec)) break;
    }
    LogHeld(name + ": " + reason + "; could not be moved aside, not used");
}

}  // namespace kelvar
