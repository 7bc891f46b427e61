// Card images and reader settings on disk. A virtual card keeps its memory as a
// byte image; every change is written through Save before the operation that
// made it returns.
//
// On disk each image is a file of the image folder with a small header (see
// image_format.h). Programs sharing a folder take turns through a lock file in
// it; a save reaches the disk before it replaces the old image, so a power
// loss leaves the old image or the new one. A file that cannot be used is
// moved aside as `<name>.damaged.<UTC time>` and noted in kelvar.log beside
// the images, and the card starts from its factory state.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kelvar/store/image_format.h"

namespace kelvar {

inline constexpr char kStoreLogName[] = "kelvar.log";
inline constexpr size_t kStoreLogLimit = 64 * 1024;  // then the log starts over, the old one kept once

class ImageStore {
public:
    static constexpr std::chrono::milliseconds kDefaultLockTimeout{2000};

    // An empty folder keeps images in memory only (tests). `lockTimeout` is
    // how long a save waits for another program that holds the folder.
    // Opening removes the temporary files of saves whose program is gone.
    explicit ImageStore(std::filesystem::path folder = {},
                        std::chrono::milliseconds lockTimeout = kDefaultLockTimeout);

    // The stored image of `name`, or nothing when there is none or it cannot
    // be used: a foreign or damaged file is moved aside and logged.
    std::optional<Bytes> Load(const std::string& name, size_t expectedSize) const;

    // Writes the image durably and atomically. False when the folder or file
    // cannot be written or another program holds the folder too long; the
    // old image then stays.
    bool Save(const std::string& name, const Bytes& image);

    // Removes the image of `name`, so that its card starts from its factory
    // state. True when there is none afterwards.
    bool Remove(const std::string& name);

    // Appends a dated line to the log beside the images (nothing in memory).
    void Log(std::string_view text) const;

    const std::filesystem::path& Folder() const { return folder_; }

private:
    void LogHeld(std::string_view text) const;
    void MoveAside(const std::string& name, const std::string& reason) const;

    std::filesystem::path folder_;
    std::chrono::milliseconds lockTimeout_;
    std::vector<std::pair<std::string, Bytes>> memory_;  // used when folder_ is empty
};

}  // namespace kelvar
