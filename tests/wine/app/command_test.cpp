#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_services.h"
#include "support/scripted_reader.h"
#include "vantrel/toolkit/result_report.h"

namespace {

using Line = FakeServices::LogLine;
using Lines = std::vector<Line>;

enum class Mode { Call, LoggedAfterReport, LoggedOnSuccess, NotLoggedOnFailure, NotLogged, Quietly, Unreported };

class CommandTest : public ::testing::Test {
protected:
    CommandTest() { connection.open = true; }

    // Calls rf_beep in `mode`, answering `status`.
    void CallIn(Command& cmd, Mode mode, int32_t status) {
        script.Fail(script.library.rf_beep, status);
        const auto& fn = script.library.rf_beep;
        switch (mode) {
            case Mode::Call: cmd.Call(fn, kDevice, 1); break;
            case Mode::LoggedAfterReport: cmd.CallLoggedAfterReport(fn, kDevice, 1); break;
            case Mode::LoggedOnSuccess: cmd.CallLoggedOnSuccess(fn, kDevice, 1); break;
            case Mode::NotLoggedOnFailure: cmd.CallNotLoggedOnFailure(fn, kDevice, 1); break;
            case Mode::NotLogged: cmd.CallNotLogged(fn, kDevice, 1); break;
            case Mode::Quietly: cmd.CallQuietly(fn, kDevice, 1); break;
            case Mode::Unreported: cmd.CallUnreported(fn, kDevice, 1); break;
        }
    }

    ScriptedReader script;
    ReaderConnection connection;
    FakeServices services;
    PanelContext context{script.library, connection, services};
};

}  // namespace

// What each mode logs before the command's report, after it, and whether a
// failure is reported (with the beep and the failure hook).
TEST_F(CommandTest, EachCallModeLogsAndReportsAsItsNameSays) {
    struct Row {
        Mode mode;
        int32_t status;
        Lines beforeReport, afterReport;
        bool reported;
    };
    const Line ok{L"rf_beep", 0}, failed{L"rf_beep", 5};
    const Row rows[] = {
        {Mode::Call, 0, {ok}, {ok}, false},
        {Mode::Call, 5, {failed}, {failed}, true},
        {Mode::LoggedAfterReport, 0, {}, {ok}, false},
        {Mode::LoggedAfterReport, 5, {}, {failed}, true},
        {Mode::LoggedOnSuccess, 0, {ok}, {ok}, false},
        {Mode::LoggedOnSuccess, 5, {}, {}, true},
        {Mode::NotLoggedOnFailure, 0, {}, {ok}, false},
        {Mode::NotLoggedOnFailure, 5, {}, {}, true},
        {Mode::NotLogged, 0, {}, {}, false},
        {Mode::NotLogged, 5, {}, {}, true},
        {Mode::Quietly, 5, {failed}, {failed}, false},
        {Mode::Unreported, 5, {}, {}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(row.mode) << ", status " << row.status);
        services.log.clear();
        services.status = L"before";
        services.beeps = 0;
        int hooks = 0;
        {
            Command cmd(context, nullptr, false);
            cmd.OnFailure([&hooks] { ++hooks; });
            CallIn(cmd, row.mode, row.status);
            EXPECT_EQ(cmd.LastStatus(), row.status);
            if (!row.reported) {
                EXPECT_EQ(services.log, row.beforeReport);
                EXPECT_EQ(services.status, L"before");
                cmd.Done(L"done");
            }
        }
        EXPECT_EQ(services.log, row.afterReport);
        EXPECT_EQ(services.status, row.reported ? L"Error: 5 ,function: rf_beep" : L"done");
        EXPECT_EQ(services.beeps, row.reported ? 1 : 0);
        EXPECT_EQ(hooks, row.reported ? 1 : 0);
    }
}

TEST_F(CommandTest, LinesHeldForTheReportFollowItInTheOrderOfTheirCalls) {
    script.Fail(script.library.rf_beep, 0);
    script.Fail(script.library.rf_light, 0);
    script.Fail(script.library.rf_antenna_sta, 0);
    Command cmd(context, nullptr);
    cmd.CallLoggedAfterReport(script.library.rf_beep, kDevice, 1);
    cmd.CallNotLoggedOnFailure(script.library.rf_light, kDevice, 1);
    cmd.Call(script.library.rf_antenna_sta, kDevice, 1);
    EXPECT_EQ(services.log, (Lines{{L"rf_antenna_sta", 0}}));
    cmd.Done(L"OK");
    EXPECT_EQ(services.log, (Lines{{L"rf_antenna_sta", 0}, {L"rf_beep", 0}, {L"rf_light", 0}}));
    cmd.Done(L"OK");
    EXPECT_EQ(services.log.size(), 3u);  // written once
}

// Every call reaches the library's observer, logged or not, bound or not;
// none once it is taken away.
TEST_F(CommandTest, TheLibrarysObserverSeesEveryCallWithItsOrdinalNameAndStatus) {
    struct Calls : ReaderObserver {
        void OnCall(const ObservedCall& call) override {
            seen.push_back(std::to_wstring(call.ordinal) + L" " + call.name + L" " + std::to_wstring(call.status) +
                           L" " + std::to_wstring(call.arguments.size()));
        }
        std::vector<std::wstring> seen;
    } calls;
    script.library.SetObserver(&calls);
    script.Fail(script.library.rf_beep, 5);
    script.Unbind(script.library.SRI64_Write);
    const uint8_t uid[8] = {};
    {
        Command cmd(context, nullptr);
        cmd.CallNotLogged(script.library.rf_beep, kDevice, 1);
        cmd.CallUnreported(script.library.SRI64_Write, kDevice, 2, uid, 10, 0xAB);
    }
    script.library.SetObserver(nullptr);
    Command(context, nullptr).Call(script.library.rf_beep, kDevice, 1);
    EXPECT_EQ(calls.seen, (std::vector<std::wstring>{L"9 rf_beep 5 2", L"452 SRI64_Write -2 5"}));
}
