#include "kelvar/reader/field_config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;
using namespace kelvar;

namespace {

const fs::path kDll = fs::path("dlls") / "kelvar";

std::vector<CardKind> Every() { return {AllCardKinds().begin(), AllCardKinds().end()}; }

TEST(FieldConfig, MissingFileOrEmptyTextGivesTheDefaults) {
    const fs::path missing = fs::temp_directory_path() / "kelvar_no_such_dir" / "Kelvar.ini";
    for (const FieldConfig& config : {LoadFieldConfig(missing, kDll), ParseFieldConfig("", kDll)}) {
        EXPECT_EQ(config.imageFolder, kDll / "KelvarCards");
        EXPECT_EQ(config.field, Every());
    }
}

TEST(FieldConfig, ReadsCommentsKeysAndCardNames) {
    const FieldConfig config = ParseFieldConfig(
        "\xEF\xBB\xBF# cards on the desk\r\n"
        "\r\n"
        "  FIELD = Mifare1K, nosuchcard ,ultralight,, mifare1k  # duplicates count once\r\n"
        "colour = blue\r\n"
        "a line without an equals sign\r\n"
        "# field = sr176\n",
        kDll);
    EXPECT_EQ(config.field, (std::vector<CardKind>{CardKind::kMifare1K, CardKind::kUltraLight}));
    EXPECT_TRUE(config.Holds(CardKind::kUltraLight));
    EXPECT_FALSE(config.Holds(CardKind::kSr176));
    EXPECT_EQ(config.imageFolder, kDll / "KelvarCards");
}

TEST(FieldConfig, EmptyFieldListLeavesTheFieldEmpty) {
    EXPECT_TRUE(ParseFieldConfig("field =", kDll).field.empty());
    EXPECT_TRUE(ParseFieldConfig("field = unknown, other", kDll).field.empty());
    // The last line wins.
    EXPECT_EQ(ParseFieldConfig("field =\nfield = sri64", kDll).field, std::vector<CardKind>{CardKind::kSri64});
}

TEST(FieldConfig, ImageFolderIsResolvedAgainstTheDllFolder) {
    EXPECT_EQ(ParseFieldConfig("images = cards/#1", kDll).imageFolder, kDll / "cards" / "#1");
    EXPECT_EQ(ParseFieldConfig("images = ../shared", kDll).imageFolder, fs::path("dlls") / "shared");
    EXPECT_EQ(ParseFieldConfig("images =   # none", kDll).imageFolder, kDll / "KelvarCards");
    const fs::path absolute = fs::temp_directory_path() / "cards";
    EXPECT_EQ(ParseFieldConfig("images = " + absolute.string(), kDll).imageFolder, absolute.lexically_normal());
}

TEST(FieldConfig, LoadsAFile) {
    const fs::path file = fs::temp_directory_path() / "kelvar_field_config_test.ini";
    std::ofstream(file) << "images = store\nfield = ntag203, srix4k\n";
    const FieldConfig config = LoadFieldConfig(file, kDll);
    fs::remove(file);
    EXPECT_EQ(config.imageFolder, kDll / "store");
    EXPECT_EQ(config.field, (std::vector<CardKind>{CardKind::kNtag203, CardKind::kSrix4K}));
}

}  // namespace
