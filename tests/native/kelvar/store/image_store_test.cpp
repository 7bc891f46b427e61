#include "kelvar/store/image_store.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <variant>
#include <vector>

#include "kelvar/cards/mifare_classic.h"
#include "kelvar/store/store_files.h"

using namespace kelvar;
namespace fs = std::filesystem;

namespace {

class ImageStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() / ("kelvar-store-" + std::string(info->name()) + "-" +
                                               std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string ReadText(const fs::path& file) const {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void WriteFile(const std::string& name, const Bytes& content) const {
        std::ofstream(folder_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
    }
    // Names in the folder that start with `prefix`.
    std::vector<std::string> Names(const std::string& prefix) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with(prefix)) names.push_back(name);
        }
        return names;
    }

    fs::path folder_;
};

Bytes Filled(size_t size, uint8_t value) { return Bytes(size, value); }

TEST(ImageFormat, DecodesHeaderedAndExactRawImagesAndNamesWhatIsWrong) {
    const Bytes image = {1, 2, 3, 4, 5, 6, 7, 8};
    const Bytes good = EncodeImageFile("a.img", image);
    ASSERT_EQ(good.size(), kImageHeaderSize + image.size());
    auto flipped = good;
    flipped.back() ^= 0x01;
    auto cut = good;
    cut.resize(cut.size() - 3);
    auto longer = good;
    longer.push_back(0);

    struct Case {
        const char* what;
        std::string name;
        size_t expected;
        Bytes file;
        const char* damage;  // nullptr: the image is used
    };
    const Case cases[] = {
        {"headered", "a.img", 8, good, nullptr},
        {"raw of the exact size", "a.img", 8, image, nullptr},
        {"empty", "a.img", 8, {}, "empty file"},
        {"zero-filled raw", "a.img", 8, Filled(8, 0), "zero-filled"},
        {"zero-filled headered size", "a.img", 8, Filled(good.size(), 0), "zero-filled"},
        {"raw too short", "a.img", 8, {1, 2, 3}, "raw image of 3 bytes"},
        {"checksum", "a.img", 8, flipped, "checksum mismatch"},
        {"truncated", "a.img", 8, cut, "truncated: 5 bytes of 8 bytes"},
        {"header cut", "a.img", 8, Bytes(good.begin(), good.begin() + 10), "header cut short"},
        {"extra byte", "a.img", 8, longer, "bytes after the image"},
        {"another card's", "b.img", 8, good, "image of another card"},
        {"other size", "a.img", 16, good, "the card holds 16 bytes"},
    };
    for (const Case& c : cases) {
        const auto decoded = DecodeImageFile(c.name, c.expected, c.file);
        if (c.damage == nullptr) {
            ASSERT_TRUE(std::holds_alternative<Bytes>(decoded)) << c.what;
            EXPECT_EQ(std::get<Bytes>(decoded), image) << c.what;
        } else {
            ASSERT_TRUE(std::holds_alternative<ImageDamage>(decoded)) << c.what;
            EXPECT_NE(std::get<ImageDamage>(decoded).reason.find(c.damage), std::string::npos)
                << c.what << ": " << std::get<ImageDamage>(decoded).reason;
        }
    }
}

TEST_F(ImageStoreTest, DamagedImageIsMovedAsideAndLoggedAndTheCardStartsFromItsFactoryState) {
    ImageStore store(folder_);
    const Bytes image = Filled(64, 0x5A);
    for (const bool truncate : {false, true}) {
        ASSERT_TRUE(store.Save("tag.img", image));
        Bytes file = EncodeImageFile("tag.img", image);
        if (truncate) {
            file.resize(file.size() / 2);
        } else {
            std::fill(file.begin(), file.end(), 0);  // a lost write
        }
        WriteFile("tag.img", file);
        EXPECT_FALSE(store.Load("tag.img", 64).has_value());
        EXPECT_FALSE(fs::exists(folder_ / "tag.img"));
    }
    const auto aside = Names("tag.img.damaged.");
    ASSERT_EQ(aside.size(), 2u);
    for (const auto& name : aside) EXPECT_EQ(fs::file_size(folder_ / name) > 0, true);
    const std::string log = ReadText(folder_ / kStoreLogName);
    EXPECT_NE(log.find("tag.img: zero-filled; moved aside to tag.img.damaged."), std::string::npos) << log;
    EXPECT_NE(log.find("tag.img: truncated"), std::string::npos) << log;

    // A zeroed Mifare image would lock every sector; the card comes up blank.
    WriteFile("m.img", Filled(1024, 0));
    MifareClassicCard card(mifare::CardSize::k1K, {0xDE, 0xAD, 0xBE, 0xEF}, store, "m.img");
    uint8_t atqa[2] = {};
    uint8_t uid[10] = {};
    uint8_t uidLength = 0;
    uint8_t sak = 0;
    ASSERT_EQ(card.Request(0x52, atqa), kOk);
    ASSERT_EQ(card.Anticoll(uid, &uidLength), kOk);
    ASSERT_EQ(card.Select(uid, uidLength, &sak), kOk);
    const uint8_t factoryKey[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(card.Authenticate(0x60, 4, factoryKey), kOk);
    EXPECT_EQ(Names("m.img.damaged.").size(), 1u);
}

TEST_F(ImageStoreTest, RawImagesOfTheExactSizeStillLoadAndAreRewrittenWithAHeader) {
    const Bytes raw = Filled(16, 0x11);
    WriteFile("reader.dat", raw);
    ImageStore store(folder_);
    EXPECT_EQ(store.Load("reader.dat", 16), raw);
    ASSERT_TRUE(store.Save("reader.dat", Filled(16, 0x22)));
    EXPECT_EQ(fs::file_size(folder_ / "reader.dat"), kImageHeaderSize + 16);
    EXPECT_EQ(store.Load("reader.dat", 16), Filled(16, 0x22));
    EXPECT_TRUE(Names("reader.dat.").empty());  // no temporary left behind
}

TEST_F(ImageStoreTest, PlantedLinkAtATemporaryNameIsNotFollowed) {
    const fs::path victim = folder_ / "victim.txt";
    std::ofstream(victim) << "keep me";
    fs::create_symlink(victim, folder_ / "card.img.tmp");
    ImageStore store(folder_);
    ASSERT_TRUE(store.Save("card.img", Filled(32, 0x77)));
    EXPECT_EQ(ReadText(victim), "keep me");
    EXPECT_EQ(store.Load("card.img", 32), Filled(32, 0x77));
}

TEST_F(ImageStoreTest, SaveGivesUpWhileAnotherProgramHoldsTheFolder) {
    ImageStore store(folder_, std::chrono::milliseconds(50));
    ASSERT_TRUE(store.Save("card.img", Filled(8, 1)));
    {
        const auto lock = store_files::FolderLock::Acquire(folder_, std::chrono::milliseconds(0));
        ASSERT_TRUE(lock.Held());
        EXPECT_FALSE(store.Save("card.img", Filled(8, 2)));
        // Reading does not wait for ever either, and still sees the image.
        EXPECT_EQ(store.Load("card.img", 8), Filled(8, 1));
    }
    EXPECT_TRUE(store.Save("card.img", Filled(8, 3)));
    EXPECT_EQ(store.Load("card.img", 8), Filled(8, 3));
}

// Two processes save one image while this one loads it: every load is a
// whole image one of them wrote, and every save succeeds.
TEST_F(ImageStoreTest, ConcurrentWritersAndAReaderNeverSeeATornOrEmptyImage) {
    const char* env = std::getenv("KELVAR_STORE_SAVES");
    const int saves = env != nullptr ? std::atoi(env) : 200;
    constexpr size_t kSize = 4096;
    ImageStore(folder_).Save("shared.img", Filled(kSize, 1));

    pid_t writers[2] = {};
    for (int w = 0; w < 2; ++w) {
        writers[w] = ::fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            ImageStore store(folder_);
            int failed = 0;
            for (int i = 0; i < saves; ++i) {
                if (!store.Save("shared.img", Filled(kSize, static_cast<uint8_t>(2 + w)))) ++failed;
            }
            ::_exit(failed > 255 ? 255 : failed);
        }
    }
    ImageStore reader(folder_);
    int loads = 0;
    int bad = 0;
    int running = 2;
    int failedSaves = 0;
    while (running > 0) {
        const auto image = reader.Load("shared.img", kSize);
        ++loads;
        if (!image || std::count(image->begin(), image->end(), (*image)[0]) != static_cast<long>(kSize)) ++bad;
        for (pid_t& pid : writers) {
            int status = 0;
            if (pid > 0 && ::waitpid(pid, &status, WNOHANG) == pid) {
                failedSaves += WIFEXITED(status) ? WEXITSTATUS(status) : 1000;
                pid = 0;
                --running;
            }
        }
    }
    std::cout << "[ store    ] " << 2 * saves << " saves, " << loads << " loads, " << bad << " bad loads, "
              << failedSaves << " failed saves\n";
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(failedSaves, 0);
    EXPECT_TRUE(Names("shared.img.").empty());
}

TEST_F(ImageStoreTest, OpeningRemovesTheTemporariesOfSavesWhoseProgramIsGone) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0);
    const std::string gone = std::to_string(child);
    const std::string running = std::to_string(::getppid());
    const std::vector<std::string> names = {
        "card.img." + gone + ".0.123.tmp", "card.img." + gone + ".7.9.tmp",  // removed
        "card.img." + running + ".1.5.tmp",                                  // its program runs
        "card.img." + gone + ".x.5.tmp", "card.img." + gone + ".5.tmp", "notes.tmp", "card.img",
    };
    for (const auto& name : names) WriteFile(name, {1});
    ImageStore store(folder_);
    for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(fs::exists(folder_ / names[i]), i >= 2) << names[i];
    EXPECT_NE(ReadText(folder_ / kStoreLogName).find("2 temporary file(s) of interrupted saves removed"),
              std::string::npos);
}

}  // namespace
