// Card images and reader settings on disk. A virtual card keeps its memory as a
// byte image; every change is written through Save before the operation that
// made it returns.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kelvar {

using Bytes = std::vector<uint8_t>;

class ImageStore {
public:
    // An empty folder keeps images in memory only (tests).
    explicit ImageStore(std::filesystem::path folder = {});

    // The stored image of `name`, or nothing when there is none or its size
    // differs from `expectedSize` (a foreign or damaged file is not used).
    std::optional<Bytes> Load(const std::string& name, size_t expectedSize) const;

    // Writes the image atomically (temporary file, then rename). False when
    // the folder or file cannot be written; the old image then stays.
    bool Save(const std::string& name, const Bytes& image);

    const std::filesystem::path& Folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    std::vector<std::pair<std::string, Bytes>> memory_;  // used when folder_ is empty
};

}  // namespace kelvar
