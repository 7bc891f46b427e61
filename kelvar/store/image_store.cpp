#include "kelvar/store/image_store.h"

#include <fstream>
#include <system_error>

namespace kelvar {

namespace fs = std::filesystem;

ImageStore::ImageStore(fs::path folder) : folder_(std::move(folder)) {}

std::optional<Bytes> ImageStore::Load(const std::string& name, size_t expectedSize) const {
    if (folder_.empty()) {
        for (const auto& [key, image] : memory_) {
            if (key == name && image.size() == expectedSize) return image;
        }
        return std::nullopt;
    }
    std::ifstream in(folder_ / name, std::ios::binary);
    if (!in) return std::nullopt;
    Bytes image(expectedSize);
    in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(expectedSize));
    if (static_cast<size_t>(in.gcount()) != expectedSize) return std::nullopt;
    if (in.peek() != std::ifstream::traits_type::eof()) return std::nullopt;
    return image;
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
    std::error_code ec;
    fs::create_directories(folder_, ec);
    const fs::path target = folder_ / name;
    fs::path temp = target;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temp, ec);
            return false;
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace kelvar
