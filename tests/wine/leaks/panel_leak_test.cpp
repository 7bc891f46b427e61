// Switching panels and running their commands gives back every window, GDI
// object and heap block it takes.
#include <gtest/gtest.h>

#include <vector>

#include "leaks/gui_resources.h"
#include "leaks/platform_leaks.h"
#include "tools/bench/host/hosted_program.h"

namespace {

constexpr int32_t kFirstCard = 1;
constexpr int kRounds = 20;
// Objects the system may create late on its own (a tooltip, a cached font).
constexpr DWORD kObjectTolerance = 4;
// Heap growth allowed over the last half of the rounds.
constexpr SIZE_T kMemoryTolerance = 256 * 1024;
constexpr size_t kJournalCalls = 500;

std::vector<const CardTypeRow*> RowsWithPanels() {
    std::vector<const CardTypeRow*> rows;
    for (const CardTypeRow& row : CardTypes()) rows.push_back(&row);
    rows.push_back(&DevicePageRow());
    return rows;
}

}  // namespace

// The benchmark and the rounds below run what this list holds: a new card
// type needs its row.
TEST(MainCommands, EveryPanelListsItsCommands) {
    for (const CardTypeRow* row : RowsWithPanels()) EXPECT_FALSE(MainCommands(row->code).empty()) << row->name;
}

TEST(GuiObjectCount, SeesObjectsComeAndGo) {
    // The thread's first window brings a companion of the system's along.
    DestroyWindow(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    const GuiObjects before = CountGuiObjects();
    HBRUSH brushes[3] = {CreateSolidBrush(RGB(1, 2, 3)), CreateSolidBrush(RGB(4, 5, 6)),
                         CreateSolidBrush(RGB(7, 8, 9))};
    HWND window = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HMENU menu = CreateMenu();
    const GuiObjects during = CountGuiObjects();
    for (HBRUSH brush : brushes) DeleteObject(brush);
    DestroyWindow(window);
    DestroyMenu(menu);
    const GuiObjects after = CountGuiObjects();

    EXPECT_EQ(during.gdi, before.gdi + 3);
    EXPECT_GE(during.user, before.user + 2);
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
}

TEST(PanelLeaks, EveryPanelTwentyTimesAndEachMainCommandLeaveObjectsAndMemoryFlat) {
    HostedProgram program;
    ASSERT_TRUE(program.Start(kFirstCard));
    // The call journal keeps what the calls leave: a small ring, full after the
    // first round, must then stay as flat as the rest.
    program.Frame().Journal() = journal::CallJournal(kJournalCalls, journal::kMaxBytes);
    const std::vector<const CardTypeRow*> rows = RowsWithPanels();
    ASSERT_GE(rows.size(), 2u);
    PlatformLeaks platform;
    const auto select = [&](const CardTypeRow& row) {
        program.Select(row);
        if (CardPanelBase* panel = program.Frame().View().CurrentPanel()) platform.CountControlsOf(*panel);
    };
    const auto round = [&] {
        for (const CardTypeRow* row : rows) select(*row);
        select(*FindCardType(kFirstCard));
    };

    int commands = 0;
    const auto commandsOnce = [&](const auto& selectRow) {
        for (const CardTypeRow* row : rows) {
            selectRow(*row);
            for (const PanelCommand& command : MainCommands(row->code)) {
                SCOPED_TRACE(testing::Message() << "code " << row->code);
                EXPECT_TRUE(program.Run(command).found);
                ++commands;
            }
        }
        selectRow(*FindCardType(kFirstCard));
    };

    // The first round also runs each command once: what a panel or the log
    // makes once and keeps (a scroll bar, a cached font) is counted in it.
    const auto plainSelect = [&](const CardTypeRow& row) { program.Select(row); };
    for (const CardTypeRow* row : rows) plainSelect(*row);
    commandsOnce(plainSelect);
    const GuiObjects first = CountGuiObjects();
    std::vector<SIZE_T> memory;
    for (int i = 1; i < kRounds; ++i) {
        round();
        memory.push_back(PrivateBytes());
    }
    commandsOnce(select);
    const GuiObjects last = CountGuiObjects();
    const DWORD keptBySystem = platform.KeptGdiObjects(program.Frame().View());

    EXPECT_GT(commands, 0);
    EXPECT_GT(first.gdi, 0u);
    EXPECT_LE(last.gdi, first.gdi + keptBySystem + kObjectTolerance) << keptBySystem << " kept by the system";
    EXPECT_LE(last.user, first.user + kObjectTolerance);
    EXPECT_GT(program.Frame().Journal().Dropped(), 0u);
    ASSERT_EQ(memory.size(), static_cast<size_t>(kRounds - 1));
    ASSERT_GT(memory.front(), 0u);
    const SIZE_T middle = memory[memory.size() / 2];
    EXPECT_LE(memory.back(), middle + kMemoryTolerance)
        << "grew from " << middle << " to " << memory.back() << " bytes";
}
