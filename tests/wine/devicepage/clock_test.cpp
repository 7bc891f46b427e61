#include <vector>

#include "device_page_fixture.h"

namespace {

using ClockBytes = std::vector<uint8_t>;

struct DateTime {
    WORD year, month, day, hour, minute, second;
    bool operator==(const DateTime&) const = default;
};

std::ostream& operator<<(std::ostream& out, const DateTime& t) {
    return out << t.year << "-" << t.month << "-" << t.day << " " << t.hour << ":" << t.minute
               << ":" << t.second;
}

}  // namespace

class DevicePageClock : public DevicePageTest {
protected:
    void AnswerClock(ClockBytes bytes) {
        h.script.On(h.script.library.ReadTime, [bytes](int32_t, uint8_t* out, uint8_t* length) {
            Answer(out, length, bytes);
            return 0;
        });
    }
    // Date from the date picker, time of day from the time picker.
    DateTime Shown() const {
        const SYSTEMTIME date = Picker(IDC_DEV_CLOCK_DATE);
        const SYSTEMTIME time = Picker(IDC_DEV_CLOCK_TIME);
        return {date.wYear, date.wMonth, date.wDay, time.wHour, time.wMinute, time.wSecond};
    }
    ClockBytes Written() {
        ClockBytes sent;
        h.script.On(h.script.library.WriteTime, [&sent](int32_t, const uint8_t* time) {
            sent.assign(time, time + 7);
            return 0;
        });
        h.Click(IDC_DEV_CLOCK_WRITE);
        return sent;
    }
};

TEST_F(DevicePageClock, ReadSetsThePickersAndTheReadersWeekday) {
    h.services.status = L"before";
    AnswerClock({0x99, 0x01, 0x01, 0x05, 0x12, 0x00, 0x00});
    h.Click(IDC_DEV_CLOCK_READ);
    EXPECT_EQ(Shown(), (DateTime{1999, 1, 1, 12, 0, 0}));
    EXPECT_EQ(h.Text(IDC_DEV_WEEKDAY), L"week 5 ");
    EXPECT_EQ(h.services.log, (std::vector<FakeServices::LogLine>{{L"ReadTime", 0}}));
    EXPECT_EQ(h.services.status, L"before");  // no success text

    AnswerClock({0x50, 0x02, 0x28, 0x07, 0x23, 0x59, 0x58});
    h.Click(IDC_DEV_CLOCK_READ);
    EXPECT_EQ(Shown(), (DateTime{2050, 2, 28, 23, 59, 58}));
    EXPECT_EQ(h.Text(IDC_DEV_WEEKDAY), L"week 7 ");
}

TEST_F(DevicePageClock, FailedOrGarbledReadKeepsThePickers) {
    const DateTime before = Shown();
    ASSERT_EQ(before, (DateTime{2024, 12, 31, 23, 59, 58}));

    h.script.Fail(h.script.library.ReadTime, 1);
    h.Click(IDC_DEV_CLOCK_READ);
    EXPECT_EQ(h.services.status, L"Error: 1 ,function: ReadTime");

    for (const ClockBytes& garbled : {ClockBytes{0x24, 0x13, 0x01, 0x01, 0x00, 0x00, 0x00},
                                      ClockBytes{0x23, 0x02, 0x29, 0x01, 0x00, 0x00, 0x00},
                                      ClockBytes{0x24, 0x01, 0x01, 0x01, 0x0A, 0xFF, 0x00},
                                      ClockBytes{0x9A, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00},
                                      ClockBytes{0x24, 0x01, 0x01, 0x01, 0x0A, 0x00, 0x00},
                                      ClockBytes{0x24, 0x01, 0x01, 0x15, 0x00, 0x00, 0x00},
                                      ClockBytes{0x24, 0x01, 0x01}}) {
        h.services.status.clear();
        AnswerClock(garbled);
        h.Click(IDC_DEV_CLOCK_READ);
        EXPECT_EQ(h.services.status, L"Error: Invalid clock data from the reader");
    }
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(h.Text(IDC_DEV_WEEKDAY), L"week 2 ");
}

TEST_F(DevicePageClock, WriteSendsDateAndTimeAsBcd) {
    SetPicker(IDC_DEV_CLOCK_DATE, 2024, 12, 31, 0, 0, 0);
    SetPicker(IDC_DEV_CLOCK_TIME, 2024, 12, 31, 23, 59, 58);
    EXPECT_EQ(Written(), (ClockBytes{0x24, 0x12, 0x31, 0x02, 0x23, 0x59, 0x58}));

    // A Sunday is weekday 7; the date comes only from the date picker.
    SetPicker(IDC_DEV_CLOCK_DATE, 2024, 12, 29, 10, 0, 0);
    SetPicker(IDC_DEV_CLOCK_TIME, 2000, 1, 1, 8, 30, 5);
    EXPECT_EQ(Written(), (ClockBytes{0x24, 0x12, 0x29, 0x07, 0x08, 0x30, 0x05}));
    EXPECT_EQ(h.services.log, (std::vector<FakeServices::LogLine>{{L"WriteTime", 0}}));

    h.script.Fail(h.script.library.WriteTime, 0x2F);
    h.Click(IDC_DEV_CLOCK_WRITE);
    EXPECT_EQ(h.services.status, L"Error: 2f ,function: WriteTime");
}

TEST_F(DevicePageClock, ChangingTheDateShowsItsWeekday) {
    SetPicker(IDC_DEV_CLOCK_DATE, 2024, 12, 29, 0, 0, 0);
    NMDATETIMECHANGE change{};
    change.nmhdr.hwndFrom = h.Item(IDC_DEV_CLOCK_DATE);
    change.nmhdr.idFrom = IDC_DEV_CLOCK_DATE;
    change.nmhdr.code = DTN_DATETIMECHANGE;
    change.dwFlags = GDT_VALID;
    change.st = Picker(IDC_DEV_CLOCK_DATE);
    SendMessageW(*h.panel, WM_NOTIFY, IDC_DEV_CLOCK_DATE, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(h.Text(IDC_DEV_WEEKDAY), L"week 7 ");
}
