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

// Both cascade levels at once, as the UltraLight select does: the UID goes to `uid`.
inline kelvar::Status SelectTag(kelvar::UltralightFamilyTag& tag, uint8_t* uid) {
    uint8_t length = 0, sak = 0;
    if (auto status = tag.Anticoll(uid, &length); status != kelvar::kOk) return status;
    return tag.Select(uid, length, &sak);
}

// Antenna off and on, request all and select, as the reader's search does
// before working on a tag.
inline void Activate(kelvar::UltralightFamilyTag& tag) {
    tag.FieldReset();
    uint8_t atqa[2];
    uint8_t uid[kelvar::TypeACard::kMaxUidSize];
    ASSERT_EQ(tag.Request(kelvar::UltralightFamilyTag::kRequestAll, atqa), kelvar::kOk);
    ASSERT_EQ(SelectTag(tag, uid), kelvar::kOk);
}

// A refused command sends the tag back to idle: checks that, then activates
// it again so that a test can go on (the tag's session is gone).
inline kelvar::Status AfterRefusal(kelvar::UltralightFamilyTag& tag, kelvar::Status status) {
    if (status == kelvar::kOk || status == kelvar::kNotSelected || status == kelvar::kStoreFailed) return status;
    EXPECT_FALSE(tag.IsActive()) << "still active after status " << status;
    Activate(tag);
    return status;
}

// The status of a read from `page`.
inline kelvar::Status ReadStatus(kelvar::UltralightFamilyTag& tag, uint8_t page) {
    std::array<uint8_t, 16> data{};
    return AfterRefusal(tag, tag.Read(page, data.data()));
}

// The 16 bytes a read from `page` answers, as hexadecimal text ("" on failure).
inline std::string ReadHex(kelvar::UltralightFamilyTag& tag, uint8_t page) {
    std::array<uint8_t, 16> data{};
    return AfterRefusal(tag, tag.Read(page, data.data())) == kelvar::kOk ? ToHex(data) : "";
}

inline kelvar::Status WriteHex(kelvar::UltralightFamilyTag& tag, uint8_t page, std::string_view text) {
    const kelvar::Bytes data = Hex(text);
    return AfterRefusal(tag, tag.WritePage(page, data.data()));
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
