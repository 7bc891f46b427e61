#include "kelvar/reader/reader_device.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using namespace kelvar;

namespace {

using Clock7 = std::array<uint8_t, 7>;

class ReaderDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() / (std::string("kelvar_reader_") + info->name());
        fs::remove_all(folder_);
        ASSERT_EQ(reader_.Open(), kOk);
    }
    void TearDown() override { fs::remove_all(folder_); }

    HostClock Clock() {
        return [this] { return CivilFromSeconds(SecondsSince2000(host_) + elapsed_); };
    }

    Clock7 Read(ReaderDevice& reader) {
        Clock7 out{};
        EXPECT_EQ(reader.ReadClock(out.data()), kOk);
        return out;
    }

    fs::path folder_;
    CivilTime host_{2023, 6, 15, 10, 0, 0};
    int64_t elapsed_ = 0;
    // An open reader on an in-memory store.
    ImageStore memory_;
    ReaderDevice reader_{memory_, Clock()};
};

TEST_F(ReaderDeviceTest, DeviceNumberAndClockPersistAcrossReaders) {
    {
        ImageStore store(folder_);
        ReaderDevice first(store, Clock());
        ASSERT_EQ(first.Open(), kOk);
        ASSERT_EQ(first.SetDeviceNumber(0x3412), kOk);
        const Clock7 written{0x24, 0x12, 0x31, 0x02, 0x23, 0x59, 0x58};
        ASSERT_EQ(first.WriteClock(written.data()), kOk);
    }
    ImageStore store(folder_);
    ReaderDevice second(store, Clock());
    ASSERT_EQ(second.Open(), kOk);
    uint8_t number[2] = {};
    ASSERT_EQ(second.GetDeviceNumber(number), kOk);
    EXPECT_EQ(number[0], 0x12);
    EXPECT_EQ(number[1], 0x34);
    EXPECT_EQ(Read(second), (Clock7{0x24, 0x12, 0x31, 0x02, 0x23, 0x59, 0x58}));
}

TEST_F(ReaderDeviceTest, ClockRunsWithTheHostClock) {
    const Clock7 written{0x24, 0x12, 0x31, 0x02, 0x23, 0x59, 0x58};
    ASSERT_EQ(reader_.WriteClock(written.data()), kOk);
    EXPECT_EQ(Read(reader_), written);

    elapsed_ = 5;  // into a new year, a Wednesday
    EXPECT_EQ(Read(reader_), (Clock7{0x25, 0x01, 0x01, 0x03, 0x00, 0x00, 0x03}));

    elapsed_ = 86400 * 59 + 2;  // 1 March 2025, a Saturday
    EXPECT_EQ(Read(reader_), (Clock7{0x25, 0x03, 0x01, 0x06, 0x00, 0x00, 0x00}));
}

TEST_F(ReaderDeviceTest, WeekdayRunsFromMondayOneToSundaySevenOverAWeek) {
    // Monday 30 December 2024 to Sunday 5 January 2025, noon.
    const Clock7 week[] = {
        {0x24, 0x12, 0x30, 0x01, 0x12, 0x00, 0x00}, {0x24, 0x12, 0x31, 0x02, 0x12, 0x00, 0x00},
        {0x25, 0x01, 0x01, 0x03, 0x12, 0x00, 0x00}, {0x25, 0x01, 0x02, 0x04, 0x12, 0x00, 0x00},
        {0x25, 0x01, 0x03, 0x05, 0x12, 0x00, 0x00}, {0x25, 0x01, 0x04, 0x06, 0x12, 0x00, 0x00},
        {0x25, 0x01, 0x05, 0x07, 0x12, 0x00, 0x00},
    };
    ASSERT_EQ(reader_.WriteClock(week[0].data()), kOk);
    for (int day = 0; day < 7; ++day) {
        elapsed_ = 86400 * day;
        EXPECT_EQ(Read(reader_), week[day]) << "day " << day;
        // What the reader answers it also takes back.
        EXPECT_EQ(reader_.WriteClock(week[day].data()), kOk) << "day " << day;
    }
}

TEST_F(ReaderDeviceTest, ClockWrapsFrom2099To2000) {
    const Clock7 written{0x99, 0x12, 0x31, 0x04, 0x23, 0x59, 0x59};
    ASSERT_EQ(reader_.WriteClock(written.data()), kOk);
    elapsed_ = 1;
    EXPECT_EQ(Read(reader_), (Clock7{0x00, 0x01, 0x01, 0x06, 0x00, 0x00, 0x00}));
}

TEST_F(ReaderDeviceTest, InvalidClockIsRefusedAndChangesNothing) {
    ImageStore store(folder_);
    ReaderDevice reader(store, Clock());
    ASSERT_EQ(reader.Open(), kOk);
    const Clock7 good{0x23, 0x06, 0x15, 0x04, 0x12, 0x00, 0x00};
    ASSERT_EQ(reader.WriteClock(good.data()), kOk);

    const Clock7 invalid[] = {
        {0x1A, 0x06, 0x15, 0x04, 0x12, 0x00, 0x00},  // nibble above 9
        {0x23, 0x13, 0x15, 0x04, 0x12, 0x00, 0x00},  // month 13
        {0x23, 0x00, 0x15, 0x04, 0x12, 0x00, 0x00},  // month 0
        {0x23, 0x04, 0x31, 0x04, 0x12, 0x00, 0x00},  // 31 April
        {0x23, 0x02, 0x29, 0x04, 0x12, 0x00, 0x00},  // 29 February 2023
        {0x23, 0x06, 0x00, 0x04, 0x12, 0x00, 0x00},  // day 0
        {0x23, 0x06, 0x15, 0x00, 0x12, 0x00, 0x00},  // weekday 0
        {0x23, 0x06, 0x15, 0x08, 0x12, 0x00, 0x00},  // weekday 8
        {0x23, 0x06, 0x15, 0x04, 0x24, 0x00, 0x00},  // hour 24
        {0x23, 0x06, 0x15, 0x04, 0x12, 0x60, 0x00},  // minute 60
        {0x23, 0x06, 0x15, 0x04, 0x12, 0x00, 0x60},  // second 60
        {0x23, 0x06, 0x15, 0x04, 0x12, 0x00, 0x0F},  // nibble above 9
    };
    for (const auto& bytes : invalid) {
        EXPECT_EQ(reader.WriteClock(bytes.data()), kBadClock) << testing::PrintToString(bytes);
        EXPECT_EQ(Read(reader), good);
    }
    ImageStore reopened(folder_);
    ReaderDevice other(reopened, Clock());
    ASSERT_EQ(other.Open(), kOk);
    EXPECT_EQ(Read(other), good);
}

TEST_F(ReaderDeviceTest, LeapDayIsAcceptedAndWeekdayComesFromTheDate) {
    // 29 February 2024 was a Thursday; the weekday written is not kept.
    const Clock7 written{0x24, 0x02, 0x29, 0x01, 0x08, 0x30, 0x00};
    ASSERT_EQ(reader_.WriteClock(written.data()), kOk);
    EXPECT_EQ(Read(reader_), (Clock7{0x24, 0x02, 0x29, 0x04, 0x08, 0x30, 0x00}));
}

TEST_F(ReaderDeviceTest, FailedSaveLeavesStateUnchanged) {
    // A file where the store's folder should be makes every save fail.
    fs::create_directories(folder_);
    const fs::path blocked = folder_ / "blocked";
    std::ofstream(blocked) << "x";
    ImageStore store(blocked);
    ReaderDevice reader(store, Clock());
    ASSERT_EQ(reader.Open(), kOk);

    EXPECT_EQ(reader.SetDeviceNumber(0x0102), kStoreFailed);
    uint8_t number[2] = {0xEE, 0xEE};
    ASSERT_EQ(reader.GetDeviceNumber(number), kOk);
    EXPECT_EQ(number[0], 0);
    EXPECT_EQ(number[1], 0);

    const Clock7 before = Read(reader);
    const Clock7 other{0x30, 0x01, 0x01, 0x02, 0x00, 0x00, 0x00};
    EXPECT_EQ(reader.WriteClock(other.data()), kStoreFailed);
    EXPECT_EQ(Read(reader), before);
}

TEST_F(ReaderDeviceTest, ForeignRecordIsIgnored) {
    fs::create_directories(folder_);
    std::ofstream(folder_ / kReaderRecordName, std::ios::binary) << "not a reader rec";
    ImageStore store(folder_);
    ReaderDevice reader(store, Clock());
    ASSERT_EQ(reader.Open(), kOk);
    uint8_t number[2] = {0xEE, 0xEE};
    ASSERT_EQ(reader.GetDeviceNumber(number), kOk);
    EXPECT_EQ(number[0], 0);
    EXPECT_EQ(number[1], 0);
    EXPECT_EQ(Read(reader), EncodeClockBytes(host_));
}

TEST_F(ReaderDeviceTest, ModelNamesAllFamilies) {
    char model[1024] = {};
    uint8_t len = 0;
    ASSERT_EQ(reader_.GetModel(model, &len), kOk);
    EXPECT_EQ(std::string(model, len), kReaderModel);
    EXPECT_EQ(model[5], 'F');
}

TEST_F(ReaderDeviceTest, SettingsCheckTheirArguments) {
    EXPECT_TRUE(reader_.AntennaOn());

    EXPECT_EQ(reader_.SetAntenna(0), kOk);
    EXPECT_FALSE(reader_.AntennaOn());
    EXPECT_EQ(reader_.SetAntenna(2), kBadArgument);
    EXPECT_FALSE(reader_.AntennaOn());
    EXPECT_EQ(reader_.SetAntenna(1), kOk);
    EXPECT_TRUE(reader_.AntennaOn());

    EXPECT_EQ(reader_.SetLight(kLedYellow), kOk);
    EXPECT_EQ(reader_.SetLight(4), kBadArgument);
    EXPECT_EQ(reader_.Light(), kLedYellow);

    for (uint8_t mode : {'A', 'B', '1', 'r', 's'}) {
        EXPECT_EQ(reader_.SetRfMode(mode), kOk) << mode;
        EXPECT_EQ(reader_.RfMode(), mode);
    }
    for (uint8_t mode : {'a', 'C', '2', 'R', '\0'}) EXPECT_EQ(reader_.SetRfMode(mode), kBadArgument) << int(mode);
    EXPECT_EQ(reader_.RfMode(), 's');

    EXPECT_EQ(reader_.Beep(10), kOk);
    EXPECT_EQ(reader_.Beep(3), kOk);
    EXPECT_EQ(reader_.BeepCount(), 2u);
    EXPECT_EQ(reader_.LastBeep(), 3);

    uint8_t len = 0;
    EXPECT_EQ(reader_.GetModel(nullptr, &len), kBadArgument);
    char model[16];
    EXPECT_EQ(reader_.GetModel(model, nullptr), kBadArgument);
    EXPECT_EQ(reader_.LibraryVersion(nullptr), kBadArgument);
    EXPECT_EQ(reader_.GetDeviceNumber(nullptr), kBadArgument);
    EXPECT_EQ(reader_.ReadClock(nullptr), kBadArgument);
    EXPECT_EQ(reader_.WriteClock(nullptr), kBadArgument);
}

TEST_F(ReaderDeviceTest, ClosedReaderRefusesEverything) {
    ImageStore store;
    ReaderDevice reader(store, Clock());
    auto expectRefused = [&] {
        char model[16];
        uint8_t len = 0;
        uint32_t version = 0;
        uint8_t number[2];
        Clock7 clock{0x24, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00};
        EXPECT_EQ(reader.GetModel(model, &len), kNotOpen);
        EXPECT_EQ(reader.LibraryVersion(&version), kNotOpen);
        EXPECT_EQ(reader.GetDeviceNumber(number), kNotOpen);
        EXPECT_EQ(reader.SetDeviceNumber(1), kNotOpen);
        EXPECT_EQ(reader.Beep(1), kNotOpen);
        EXPECT_EQ(reader.SetAntenna(0), kNotOpen);
        EXPECT_EQ(reader.SetLight(1), kNotOpen);
        EXPECT_EQ(reader.SetRfMode('B'), kNotOpen);
        EXPECT_EQ(reader.ReadClock(clock.data()), kNotOpen);
        EXPECT_EQ(reader.WriteClock(clock.data()), kNotOpen);
    };
    EXPECT_FALSE(reader.IsOpen());
    expectRefused();
    ASSERT_EQ(reader.Open(), kOk);
    EXPECT_TRUE(reader.IsOpen());
    reader.Close();
    EXPECT_FALSE(reader.IsOpen());
    expectRefused();
    EXPECT_EQ(reader.BeepCount(), 0u);
    EXPECT_TRUE(reader.AntennaOn());
    EXPECT_EQ(reader.RfMode(), kRfModeA);
}

}  // namespace
