#include "vantrel/toolkit/command_history.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <csignal>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Entries(const CommandHistory& history) {
    std::vector<std::string> entries;
    for (size_t i = 0; i < history.Count(); ++i) entries.push_back(history.Get(i));
    return entries;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class HistoryFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("vantrel-history-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::filesystem::path folder_;
};

}  // namespace

TEST(CommandHistoryTest, AddDropsOnlyConsecutiveDuplicatesAndPeaksAt201) {
    CommandHistory history;
    for (const char* entry : {"a", "a", "b", "a", "", "", "B"}) history.Add(entry);
    EXPECT_EQ(Entries(history), (std::vector<std::string>{"a", "b", "a", "", "B"}));

    history.Clear();
    for (int i = 0; i < 201; ++i) history.Add(std::to_string(i));
    ASSERT_EQ(history.Count(), 201u);  // 200 entries are not over the limit
    history.Add("new");
    EXPECT_EQ(history.Count(), 201u);
    EXPECT_EQ(history.Get(0), "1");
    EXPECT_EQ(history.Get(200), "new");

    history.Clear();
    history.Add(std::string("00a4\0tail", 9));
    EXPECT_EQ(history.Get(0), "00a4");
}

TEST(CommandHistoryTest, ParseSkipsBlankLinesAndSplitsOverlongOnes) {
    CommandHistory history;
    history.Parse("\r\n  0084000008\r\n\n\nff00\n00a4\r\n\r\n \r\n00a4\r\n80ca");
    // An LF alone does not end a line; only CR does.
    EXPECT_EQ(Entries(history), (std::vector<std::string>{"0084000008", "ff00\n00a4", "00a4", "80ca"}));

    CommandHistory longLine;
    std::string content;
    for (int i = 0; i < 1500; ++i) content.push_back(static_cast<char>('a' + i % 26));
    longLine.Parse(content + "\r\n");
    ASSERT_EQ(longLine.Count(), 2u);
    EXPECT_EQ(longLine.Get(0), content.substr(0, 1024));
    EXPECT_EQ(longLine.Get(1), content.substr(1025));
    EXPECT_EQ(longLine.Get(1).size(), 475u);
}

TEST_F(HistoryFileTest, SaveWritesCrLfLinesThatLoadBack) {
    const auto path = folder_ / "cosbooks.txt";
    CommandHistory history;
    for (const char* entry : {"0084000008", "", "00a4040000"}) history.Add(entry);
    ASSERT_TRUE(history.Save(path));
    EXPECT_EQ(ReadFile(path), "0084000008\r\n\r\n00a4040000\r\n");

    CommandHistory loaded;
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(Entries(loaded), (std::vector<std::string>{"0084000008", "00a4040000"}));

    history.Clear();
    ASSERT_TRUE(history.Save(path));
    EXPECT_EQ(ReadFile(path), "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);

    CommandHistory missing;
    EXPECT_FALSE(missing.Load(folder_ / "none.txt"));
    EXPECT_EQ(missing.Count(), 0u);
}

// A file that holds the list is not written again; one that holds it in
// another form, or one byte more or less, is.
TEST_F(HistoryFileTest, SaveRewritesOnlyAFileThatDiffersFromTheList) {
    const auto path = folder_ / "samcosbooks.txt";
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    const auto saveOver = [&](const std::string& stored) {
        std::ofstream(path, std::ios::binary) << stored;
        std::filesystem::last_write_time(path, old);
        CommandHistory history;
        history.Load(path);
        EXPECT_TRUE(history.Save(path));
        EXPECT_EQ(ReadFile(path), "0084000008\r\n00a4\r\n");
        return std::filesystem::last_write_time(path) != old;
    };
    EXPECT_FALSE(saveOver("0084000008\r\n00a4\r\n"));
    EXPECT_TRUE(saveOver(" 0084000008\r\n\r\n00a4\r\n"));
    EXPECT_TRUE(saveOver("0084000008\r\n00a4"));
    EXPECT_TRUE(saveOver("0084000008\r\n00a4\r\n\r\n"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

// A file beside the program may be huge or damaged: a full list of the
// longest lines loads whole, and nothing after it is read.
TEST_F(HistoryFileTest, LoadReadsNoMoreThanAFullListOfTheLongestLinesTakes) {
    const auto path = folder_ / "cosbooks.txt";
    std::string full;
    for (int i = 0; i < 201; ++i) full += std::string(1024, static_cast<char>('a' + i % 26)) + "\r\n";
    ASSERT_EQ(full.size(), CommandHistory::kFileLimit);
    std::ofstream(path, std::ios::binary) << full << "00a4\r\n";
    CommandHistory history;
    ASSERT_TRUE(history.Load(path));
    ASSERT_EQ(history.Count(), 201u);
    EXPECT_EQ(history.Get(200), std::string(1024, static_cast<char>('a' + 200 % 26)));
}

TEST_F(HistoryFileTest, SaveThatRunsOutOfSpaceLeavesThePreviousFileWhole) {
    const auto path = folder_ / "cpubooks.txt";
    {
        std::ofstream(path, std::ios::binary) << "0084000008\r\n";
    }
    CommandHistory history;
    for (int i = 0; i < 201; ++i) history.Add(std::string(1000, static_cast<char>('a' + i % 26)));

    // A file size limit stands for a disk that fills up midway through the save.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved_ok = history.Save(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(ReadFile(path), "0084000008\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1) << "temporary file left behind";
}
