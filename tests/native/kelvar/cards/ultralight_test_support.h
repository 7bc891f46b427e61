// Helpers shared by the tests of the page-addressed tags.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

#include "support/hex_bytes.h"
#include "kelvar/cards/ultralight_family.h"

namespace ultralight_test {

using test_hex::Hex;
using test_hex::ToHex;

// Request all and select, as the reader does before working on a tag.
inline void Activate(kelvar::UltralightFamilyTag& tag) {
    uint8_t atqa[2];
    uint8_t uid[7];
    ASSERT_EQ(tag.Request(kelvar::UltralightFamilyTag::kRequestAll, atqa), kelvar::kOk);
    ASSERT_EQ(tag.Select(uid), kelvar::kOk);
}

// The 16 bytes a read from `page` answers, as hexadecimal text ("" on failure).
inline std::string ReadHex(kelvar::UltralightFamilyTag& tag, uint8_t page) {
    std::array<uint8_t, 16> data{};
    return tag.Read(page, data.data()) == kelvar::kOk ? ToHex(data) : "";
}

inline kelvar::Status WriteHex(kelvar::UltralightFamilyTag& tag, uint8_t page, std::string_view text) {
    const kelvar::Bytes data = Hex(text);
    return tag.Write(page, data.data());
}

// The four bytes of one page in the tag's image.
inline std::string PageHex(const kelvar::UltralightFamilyTag& tag, unsigned page) {
    return ToHex(std::span<const uint8_t>(tag.Image()).subspan(page * 4, 4));
}

// A folder of its own under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("kelvar-ul-" + std::string(info->test_suite_name()) + "-" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& Path() const { return path_; }

    // A folder that cannot be created: its parent is a plain file.
    std::filesystem::path Unwritable() const {
        std::ofstream(path_ / "plain-file") << "x";
        return path_ / "plain-file" / "images";
    }

private:
    std::filesystem::path path_;
};

}  // namespace ultralight_test
