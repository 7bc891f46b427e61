#include "kelvar/reader/field_config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
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

namespace {

bool HasNote(const FieldConfig& config, std::string_view text) {
    for (const auto& note : config.notes) {
        if (note.find(text) != std::string::npos) return true;
    }
    return false;
}

TEST(FieldConfig, LinesThatAreNotUtf8AreSkippedWithANoteAndTheRestIsRead) {
    const FieldConfig config = ParseFieldConfig(
        "images = \xBF\xA8\xC6\xAC\n"   // GBK
        "images = caf\xE9\n"            // Latin-1
        "images = \xC0\xAF" "etc\n"     // overlong '/'
        "images = \xED\xA0\x80\n"       // surrogate
        "images = a" + std::string(1, '\0') + "b\n"
        "field = ultralight, \xFFmifare\n"
        "field = ntag203, bogus\n"
        "colour = blue\n"
        "just words\n",
        kDll);
    EXPECT_EQ(config.imageFolder, kDll / "KelvarCards");
    EXPECT_EQ(config.field, std::vector<CardKind>{CardKind::kNtag203});
    for (int line = 1; line <= 6; ++line) {
        EXPECT_TRUE(HasNote(config, "line " + std::to_string(line) + ": not UTF-8, skipped")) << line;
    }
    EXPECT_TRUE(HasNote(config, "line 7: unknown card \"bogus\""));
    EXPECT_TRUE(HasNote(config, "line 8: unknown key \"colour\""));
    EXPECT_TRUE(HasNote(config, "line 9: no '='"));
    // Valid UTF-8 names are used as they are.
    EXPECT_EQ(ParseFieldConfig("images = \xE5\x8D\xA1\xE7\x89\x87", kDll).imageFolder,
              kDll / fs::path(u8"\u5361\u7247"));
    EXPECT_TRUE(ParseFieldConfig("# only a comment\n\nfield = mifare1k\n", kDll).notes.empty());
}

TEST(FieldConfig, OnlyTheFirst64KiBOfAFileAreRead) {
    const fs::path file = fs::temp_directory_path() / "kelvar_field_config_large.ini";
    {
        std::ofstream out(file, std::ios::binary);
        out << "field = mifare1k\n";
        while (out.tellp() < static_cast<std::streamoff>(kFieldConfigLimit - 10)) out << "# filler line\n";
        out << "images = cut_in_the_middle\nimages = late\n";
    }
    const FieldConfig config = LoadFieldConfig(file, kDll);
    EXPECT_EQ(config.field, std::vector<CardKind>{CardKind::kMifare1K});
    EXPECT_EQ(config.imageFolder, kDll / "KelvarCards");
    EXPECT_TRUE(HasNote(config, "kelvar_field_config_large.ini: longer than 64 KiB"));

    // A huge file costs no more than the limit.
    fs::resize_file(file, 4ULL << 30);
    const FieldConfig huge = LoadFieldConfig(file, kDll);
    fs::remove(file);
    EXPECT_EQ(huge.field, std::vector<CardKind>{CardKind::kMifare1K});

    // An endless device is not a configuration.
    const FieldConfig endless = LoadFieldConfig("/dev/zero", kDll);
    EXPECT_EQ(endless.field, Every());
    EXPECT_TRUE(HasNote(endless, "cannot be read, defaults used"));
}

}  // namespace

// The sample shipped beside the program changes nothing as it stands, and each
// of its settings reads cleanly once uncommented.
TEST(FieldConfig, TheShippedSampleKeepsTheDefaultsAndEachOfItsSettingsReads) {
    std::ifstream file(fs::path(VANTREL_SOURCE_DIR) / "packaging" / "Kelvar.ini", std::ios::binary);
    ASSERT_TRUE(file);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const FieldConfig sample = ParseFieldConfig(text, kDll);
    const FieldConfig defaults = DefaultFieldConfig(kDll);
    EXPECT_EQ(sample.imageFolder, defaults.imageFolder);
    EXPECT_EQ(sample.field, defaults.field);
    EXPECT_EQ(sample.contact, defaults.contact);
    EXPECT_EQ(sample.followCardType, defaults.followCardType);
    EXPECT_TRUE(sample.notes.empty());

    for (const std::string key : {"#images =", "#field =", "#contact =", "#follow ="}) {
        const size_t at = text.find("\n" + key);
        ASSERT_NE(at, std::string::npos) << key;
        const std::string line = text.substr(at + 2, text.find('\n', at + 1) - at - 2);
        const FieldConfig uncommented = ParseFieldConfig(line, kDll);
        EXPECT_TRUE(uncommented.notes.empty()) << line;
    }
}
