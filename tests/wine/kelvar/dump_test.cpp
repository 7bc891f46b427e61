// The Dump menu's commands with the real library: saving, writing back and
// comparing Mifare cards, an AT24C64 and an ISO 15693 tag, and files written
// by hand as docs/dump-formats.md describes them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "kelvar_dll.h"
#include "support/fake_services.h"
#include "vantrel/dumps/dump_commands.h"
#include "vantrel/dumps/dump_compare.h"
#include "vantrel/dumps/dump_formats.h"

using namespace dumps;
namespace fs = std::filesystem;

namespace {

// Answers the commands' questions as the test says and keeps what it was shown.
class TestPrompts : public DumpPrompts {
public:
    bool ChooseSaveFile(HWND, const std::wstring&, std::wstring& path, DumpFormat& format) override {
        path = savePath;
        format = saveFormat;
        return true;
    }
    bool ChooseOpenFile(HWND, const std::wstring&, std::wstring& path) override {
        path = openPath;
        return true;
    }
    bool ChooseKeyList(HWND, int, std::wstring& path, bool& useList) override {
        ++keyListsAsked;
        useList = true;
        shippedKeyList = path;
        return true;
    }
    bool ConfirmWrite(HWND, const DumpLayout&, const WritePlan& plan, bool& protectedToo) override {
        confirmed = plan;
        protectedToo = withProtected;
        return true;
    }
    bool ChooseComparison(HWND, bool, ComparisonChoice& choice) override {
        choice = comparison;
        return true;
    }
    void ShowComparison(HWND, const CardDump& left, const CardDump& right, const std::wstring&,
                        const std::wstring&) override {
        shown = CompareDumps(left, right);
    }

    std::wstring savePath;
    DumpFormat saveFormat = DumpFormat::Json;
    std::wstring openPath;
    int keyListsAsked = 0;
    std::wstring shippedKeyList;
    WritePlan confirmed;
    bool withProtected = false;
    ComparisonChoice comparison;
    std::optional<Comparison> shown;
};

std::string Content(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

int LogCount(const FakeServices& services, const std::wstring& name) {
    return static_cast<int>(std::count_if(services.log.begin(), services.log.end(),
                                          [&](const FakeServices::LogLine& line) { return line.name == name; }));
}

class DumpCommandsTest : public ::testing::Test {
protected:
    void Start(const std::string& config) {
        dll_.emplace(config);
        ASSERT_TRUE(dll_->Load());
        ASSERT_EQ(dll_->Open(), 0);
        // The program's binding of the same library, for the commands.
        ASSERT_TRUE(module_.Load(L"Kelvar.dll", library_));
        connection_.open = true;
        context_.emplace(PanelContext{library_, connection_, services_});
        commands_.emplace(*context_, nullptr, prompts_, L".");
    }
    std::wstring PathOf(const std::string& name) const { return (dll_->Folder() / name).wstring(); }
    DumpTarget Target(int code, const wchar_t* name) const { return {code, name, {}}; }

    // The panel's Write Block: the card found, its sector opened with key A, the block written.
    void WriteMifareBlock(int block, const uint8_t (&key)[6], const std::vector<uint8_t>& data) {
        dll_->rf_halt(0);
        ASSERT_FALSE(dll_->SearchMifare().empty());
        const int sector = block < 128 ? block / 4 : 32 + (block - 128) / 16;
        const int first = sector < 32 ? 4 * sector : 128 + 16 * (sector - 32);
        ASSERT_EQ(dll_->rf_M1_authentication2(0, 0x60, static_cast<uint8_t>(first), key), 0);
        ASSERT_EQ(dll_->rf_M1_write(0, static_cast<uint8_t>(block), data.data()), 0);
    }
    CardDump ReadFile(const std::wstring& path, int code, const wchar_t* name) {
        const ParsedDump parsed = ReadDump(FormatOfFileName(path), Content(path), *FindDumpLayout(code), name);
        EXPECT_TRUE(parsed.dump) << std::string(parsed.error.begin(), parsed.error.end());
        return parsed.dump.value_or(CardDump{});
    }
    // Compares `path` with the card and gives the differing units.
    std::vector<int> DifferencesWithCard(const std::wstring& path, const DumpTarget& target) {
        prompts_.comparison = {path, L""};
        prompts_.shown.reset();
        commands_->CompareDumps(target);
        EXPECT_TRUE(prompts_.shown.has_value());
        return prompts_.shown ? prompts_.shown->differing : std::vector<int>{-1};
    }

    void TearDown() override {
        commands_.reset();
        module_.Unload();
    }

    std::optional<KelvarDll> dll_;
    ReaderLibrary library_;
    ReaderModule module_;
    ReaderConnection connection_;
    FakeServices services_;
    TestPrompts prompts_;
    std::optional<PanelContext> context_;
    std::optional<DumpCommands> commands_;
};

constexpr uint8_t kTransport[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
constexpr uint8_t kThirdKey[6] = {0xD3, 0xF7, 0xD3, 0xF7, 0xD3, 0xF7};
constexpr uint8_t kUnknownKey[6] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66};

std::vector<uint8_t> Trailer(const uint8_t (&keyA)[6], const uint8_t (&keyB)[6]) {
    std::vector<uint8_t> trailer(keyA, keyA + 6);
    for (uint8_t byte : {0xFF, 0x07, 0x80, 0x69}) trailer.push_back(byte);
    trailer.insert(trailer.end(), keyB, keyB + 6);
    return trailer;
}

TEST_F(DumpCommandsTest, Mifare4KSavedWithTheShippedKeysWrittenBackAndComparedWithTheCard) {
    Start("field = mifare4k");
    WriteMifareBlock(23, kTransport, Trailer(kThirdKey, kTransport));      // sector 5 opens with the third key
    WriteMifareBlock(39, kTransport, Trailer(kUnknownKey, kUnknownKey));   // sector 9 with none
    WriteMifareBlock(36, kUnknownKey, std::vector<uint8_t>(16, 0x99));

    prompts_.savePath = PathOf("card.json");
    commands_->SaveCard(Target(2, L"Mifare_4K"));
    EXPECT_EQ(services_.status, L"Saved to card.json: 252 blocks, 4 not read");
    EXPECT_EQ(prompts_.keyListsAsked, 1);
    EXPECT_EQ(prompts_.shippedKeyList, L".\\Mifare keys.txt");
    const CardDump saved = ReadFile(prompts_.savePath, 2, L"Mifare_4K");
    ASSERT_NE(KeyOfSector(saved, 5), nullptr);
    EXPECT_EQ(KeyOfSector(saved, 5)->key, (MifareKey{0xD3, 0xF7, 0xD3, 0xF7, 0xD3, 0xF7}));
    EXPECT_FALSE(saved.units[36].read);
    EXPECT_GT(LogCount(services_, L"rf_M1_authentication2"), 40);  // every call logged

    WriteMifareBlock(21, kThirdKey, std::vector<uint8_t>(16, 0x5A));
    prompts_.openPath = prompts_.savePath;
    commands_->WriteFileToCard(Target(2, L"Mifare_4K"));
    EXPECT_EQ(prompts_.confirmed.units, std::vector<int>{21});
    EXPECT_EQ(services_.status, L"Written to the card: 1 block");
    EXPECT_EQ(LogCount(services_, L"rf_M1_write"), 1);
    ASSERT_FALSE(services_.boxes.empty());
    EXPECT_EQ(services_.boxes.back().text, L"Written: 1 block (block 21).");

    EXPECT_TRUE(DifferencesWithCard(prompts_.savePath, Target(2, L"Mifare_4K")).empty());
    // The sector no key opened kept what it held.
    WriteMifareBlock(37, kUnknownKey, std::vector<uint8_t>(16, 0x00));
    dll_->rf_halt(0);
    ASSERT_FALSE(dll_->SearchMifare().empty());
    ASSERT_EQ(dll_->rf_M1_authentication2(0, 0x60, 36, kUnknownKey), 0);
    uint8_t block[1024] = {}, length = 0;
    ASSERT_EQ(dll_->rf_M1_read(0, 36, block, &length), 0);
    EXPECT_EQ(std::vector<uint8_t>(block, block + 16), std::vector<uint8_t>(16, 0x99));
}

TEST_F(DumpCommandsTest, AFileWithAnInconsistentTrailerIsRefusedBeforeAnyWrite) {
    Start("field = mifare1k");
    prompts_.savePath = PathOf("card.txt");
    prompts_.saveFormat = DumpFormat::HexLines;
    commands_->SaveCard(Target(1, L"Mifare_1K"));
    std::string text = Content(prompts_.savePath);
    // The trailer of sector 1 given access bits whose copies disagree.
    const std::size_t trailer = text.find("FF078069");
    ASSERT_NE(trailer, std::string::npos);
    const std::size_t sector1 = text.find("FF078069", trailer + 1);
    text.replace(sector1, 8, "FF078169");
    std::ofstream(fs::path(prompts_.savePath), std::ios::binary | std::ios::trunc) << text;

    prompts_.openPath = prompts_.savePath;
    commands_->WriteFileToCard(Target(1, L"Mifare_1K"));
    EXPECT_EQ(LogCount(services_, L"rf_M1_write"), 0);
    EXPECT_EQ(services_.status, L"Error: nothing written: the trailer of sector 1 (block 7) has access bits that are not consistent");
    EXPECT_TRUE(prompts_.confirmed.units.empty());
}

TEST_F(DumpCommandsTest, AnAt24c64RoundTripsThroughRawBinary) {
    Start("field =\ncontact = at24c64");
    prompts_.savePath = PathOf("memory.bin");
    prompts_.saveFormat = DumpFormat::Raw;
    commands_->SaveCard(Target(19, L"AT24C64"));
    EXPECT_EQ(services_.status, L"Saved to memory.bin: 512 lines");
    std::string image = Content(prompts_.savePath);
    ASSERT_EQ(image.size(), 8192u);
    image[0x100] = '\x42';
    image[0x1FFF] = '\x24';
    std::ofstream(fs::path(prompts_.savePath), std::ios::binary | std::ios::trunc) << image;

    prompts_.openPath = prompts_.savePath;
    commands_->WriteFileToCard(Target(19, L"AT24C64"));
    EXPECT_EQ(prompts_.confirmed.units, (std::vector<int>{16, 511}));
    EXPECT_EQ(LogCount(services_, L"AT24_write"), 2);

    prompts_.savePath = PathOf("again.bin");
    commands_->SaveCard(Target(19, L"AT24C64"));
    EXPECT_EQ(Content(prompts_.savePath), image);
}

TEST_F(DumpCommandsTest, AnIso15693TagRoundTripsThroughHexLines) {
    Start("field = icodesli");
    prompts_.savePath = PathOf("tag.txt");
    prompts_.saveFormat = DumpFormat::HexLines;
    commands_->SaveCard(Target(10, L"I.CODE SLI"));
    EXPECT_EQ(services_.status, L"Saved to tag.txt: 28 blocks");
    std::string text = Content(prompts_.savePath);
    const std::size_t block3 = text.find("00000000 | 00", text.find("00000000 | 00", text.find("00000000 | 00") + 1) + 1);
    ASSERT_NE(text.find("00000000 | 00", block3 + 1), std::string::npos);
    text.replace(text.find("00000000 | 00", block3 + 1), 8, "CAFEF00D");
    std::ofstream(fs::path(prompts_.savePath), std::ios::binary | std::ios::trunc) << text;

    prompts_.openPath = prompts_.savePath;
    commands_->WriteFileToCard(Target(10, L"I.CODE SLI"));
    EXPECT_EQ(prompts_.confirmed.units, std::vector<int>{3});
    EXPECT_EQ(LogCount(services_, L"ISO15693_Write"), 1);
    EXPECT_TRUE(DifferencesWithCard(prompts_.savePath, Target(10, L"I.CODE SLI")).empty());
}

// Files written by hand from the documentation: the units they leave unread
// are the only ones that differ from the card afterwards.
TEST_F(DumpCommandsTest, HandWrittenFilesOfEachFormatGoToTheCard) {
    Start("field = ultralight, sri64\ncontact = at24c01");
    const std::string hexLines =
        "# Vantrel card dump\r\n# card type: 0 UltraLight\r\n# pages 0 to 3 as they are\r\n"
        "--------\r\n--------\r\n--------\r\n--------\r\n"
        "01 02 03 04\r\n05060708\r\n\r\n090A0B0C\r\n0D0E0F10\r\n11121314\r\n15161718\r\n191A1B1C\r\n1D1E1F20\r\n"
        "21222324\r\n25262728\r\n292A2B2C\r\n2D2E2F30\r\n";
    std::ofstream(fs::path(PathOf("tag.txt")), std::ios::binary) << hexLines;
    prompts_.openPath = PathOf("tag.txt");
    commands_->WriteFileToCard(Target(0, L"UltraLight"));
    EXPECT_EQ(prompts_.confirmed.units.size(), 12u);
    EXPECT_EQ(DifferencesWithCard(PathOf("tag.txt"), Target(0, L"UltraLight")), (std::vector<int>{0, 1, 2, 3}));

    std::string json = R"({"format": "vantrel-card-dump", "version": 1, "cardType": 27, "unitSize": 1, "units": [)";
    for (int block = 0; block < 8; ++block) json += R"({"unread": true}, )";
    json += R"({"data": "A8"}, {"data": "A9"}, {"data": "AA"}, {"data": "AB"}, {"data": "AC"}, {"data": "AD", "status": "00"}]})";
    std::ofstream(fs::path(PathOf("tag.json")), std::ios::binary) << json;
    prompts_.openPath = PathOf("tag.json");
    commands_->WriteFileToCard(Target(27, L"SRI64"));
    EXPECT_EQ(prompts_.confirmed.units, (std::vector<int>{8, 9, 10, 11, 12, 13}));
    EXPECT_EQ(DifferencesWithCard(PathOf("tag.json"), Target(27, L"SRI64")).size(), 8u);

    std::string image(128, '\0');
    for (int i = 0; i < 128; ++i) image[i] = static_cast<char>(i);
    std::ofstream(fs::path(PathOf("memory.bin")), std::ios::binary) << image;
    prompts_.openPath = PathOf("memory.bin");
    commands_->WriteFileToCard(Target(13, L"AT24C01"));
    EXPECT_TRUE(DifferencesWithCard(PathOf("memory.bin"), Target(13, L"AT24C01")).empty());
}

}  // namespace
