#include "vantrel/framework/message_map.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "controls/control_test_support.h"
#include "support/panel_harness.h"
#include "vantrel/framework/exception_barrier.h"
#include "vantrel/framework/subclass.h"
#include "vantrel/framework/window_base.h"

namespace {

struct Target {
    std::vector<std::string> calls;

    void First() { calls.push_back("first"); }
    void Second() { calls.push_back("second"); }
    void Picked(int argument) { calls.push_back("picked " + std::to_string(argument)); }
    bool Menu(UINT id) {
        if (id == 205) return false;
        calls.push_back("menu " + std::to_string(id));
        return true;
    }
    LRESULT Clicked(NMHDR*) {
        calls.push_back("clicked");
        return 9;
    }
    LRESULT User(WPARAM wParam, LPARAM) {
        calls.push_back("user " + std::to_string(wParam));
        return 7;
    }

    static std::span<const MessageEntry<Target>> Messages() {
        static const MessageEntry<Target> map[] = {
            OnCommand(100, &Target::First),
            OnCommand(100, &Target::Second),
            OnCommand(101, &Target::Picked, 1),
            OnCommand(102, &Target::Picked, 2, CBN_SELCHANGE),
            OnCommandRange(200, 210, &Target::Menu),
            OnCommand(203, &Target::Second),
            OnNotify(300, NM_CLICK, &Target::Clicked),
            OnMessage(WM_USER + 1, &Target::User),
        };
        return map;
    }

    // Whether the map handled the message.
    bool Send(UINT message, WPARAM wParam, LPARAM lParam = 0) {
        LRESULT result = -1;
        return DispatchMessageMap<Target>(Messages(), this, message, wParam, lParam, result);
    }
};

using Calls = std::vector<std::string>;

}  // namespace

TEST(MessageMapTest, CommandsReachTheFirstMatchingEntryWithItsArgumentAndCode) {
    Target t;
    EXPECT_TRUE(t.Send(WM_COMMAND, MAKEWPARAM(100, BN_CLICKED)));
    EXPECT_TRUE(t.Send(WM_COMMAND, MAKEWPARAM(101, BN_CLICKED)));
    EXPECT_FALSE(t.Send(WM_COMMAND, MAKEWPARAM(101, BN_DOUBLECLICKED)));
    EXPECT_FALSE(t.Send(WM_COMMAND, MAKEWPARAM(102, BN_CLICKED)));
    EXPECT_TRUE(t.Send(WM_COMMAND, MAKEWPARAM(102, CBN_SELCHANGE)));
    EXPECT_FALSE(t.Send(WM_COMMAND, MAKEWPARAM(103, BN_CLICKED)));
    EXPECT_EQ(t.calls, (Calls{"first", "picked 1", "picked 2"}));
}

TEST(MessageMapTest, RangesTakeMenuCommandsFromFirstToLastUnlessTheHandlerDeclines) {
    Target t;
    for (UINT id : {199u, 200u, 205u, 210u, 211u}) t.Send(WM_COMMAND, MAKEWPARAM(id, 0));
    EXPECT_EQ(t.calls, (Calls{"menu 200", "menu 210"}));

    // A declined id goes on to the later entries; a control's command is no menu command.
    t.calls.clear();
    EXPECT_FALSE(t.Send(WM_COMMAND, MAKEWPARAM(205, 0)));
    EXPECT_TRUE(t.Send(WM_COMMAND, MAKEWPARAM(203, BN_CLICKED), reinterpret_cast<LPARAM>(TestHostWindow())));
    EXPECT_EQ(t.calls, (Calls{"second"}));
}

TEST(MessageMapTest, NotificationsAndMessagesAnswerWithTheirHandlersResult) {
    Target t;
    NMHDR click{nullptr, 300, static_cast<UINT>(NM_CLICK)};
    NMHDR other{nullptr, 301, static_cast<UINT>(NM_CLICK)};
    LRESULT result = 0;
    EXPECT_TRUE(DispatchMessageMap<Target>(Target::Messages(), &t, WM_NOTIFY, 300,
                                           reinterpret_cast<LPARAM>(&click), result));
    EXPECT_EQ(result, 9);
    EXPECT_FALSE(t.Send(WM_NOTIFY, 301, reinterpret_cast<LPARAM>(&other)));
    EXPECT_TRUE(DispatchMessageMap<Target>(Target::Messages(), &t, WM_USER + 1, 4, 0, result));
    EXPECT_EQ(result, 7);
    EXPECT_FALSE(t.Send(WM_USER + 2, 0));
    EXPECT_EQ(t.calls, (Calls{"clicked", "user 4"}));
}

namespace {

std::vector<std::wstring> escaped;
void Collect(const std::wstring& line) { escaped.push_back(line); }

class ThrowingWindow : public WindowBase {
protected:
    bool HandleMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message == WM_USER + 5) throw std::runtime_error("window broke");
        result = 0;
        return false;
    }
};

class ThrowingControl : public SubclassedControl {
protected:
    bool HandleMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (message == WM_USER + 6) throw 42;
        return false;
    }
};

}  // namespace

TEST(ExceptionBarrierTest, EscapedExceptionsAreWrittenOutAndTheMessageGoesOn) {
    escaped.clear();
    SetEscapedExceptionSink(Collect);
    ThrowingWindow window;
    ASSERT_TRUE(window.Create(L"VantrelThrowingWindow", L"", WS_CHILD, 0, RECT{0, 0, 10, 10},
                              TestHostWindow(), nullptr));
    EXPECT_EQ(SendMessageW(window, WM_USER + 5, 0, 0), 0);
    EXPECT_TRUE(window.IsValid());

    TestEditControl edit;
    ThrowingControl control;
    ASSERT_TRUE(control.SubclassWindow(edit));
    SendMessageW(edit, WM_USER + 6, 0, 0);
    SetWindowTextW(edit, L"still works");
    EXPECT_EQ(Window(edit).Text(), L"still works");
    SetEscapedExceptionSink(nullptr);

    ASSERT_EQ(escaped.size(), 2u);
    EXPECT_NE(escaped[0].find(L"window broke"), std::wstring::npos) << escaped[0];
    EXPECT_NE(escaped[1].find(L"control subclass"), std::wstring::npos) << escaped[1];
}

namespace {

// Counts the messages it sees and handles none.
class CountingControl : public SubclassedControl {
public:
    int seen = 0;

protected:
    bool HandleMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (message == WM_USER + 7) ++seen;
        return false;
    }
};

int laterSeen = 0;
WNDPROC beforeLater = nullptr;
LRESULT CALLBACK LaterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 7) ++laterSeen;
    return CallWindowProcW(beforeLater, hwnd, message, wParam, lParam);
}

}  // namespace

TEST(SubclassTest, DetachPutsTheProcedureBackOrKeepsALaterSubclassChained) {
    TestEditControl edit;
    const LONG_PTR own = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    {
        CountingControl first;
        ASSERT_TRUE(first.SubclassWindow(edit));
        CountingControl second;
        EXPECT_FALSE(second.SubclassWindow(edit)) << "a control has one wrapper at a time";
        SendMessageW(edit, WM_USER + 7, 0, 0);
        EXPECT_EQ(first.seen, 1);
        first.Detach();
        EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), own);
        SendMessageW(edit, WM_USER + 7, 0, 0);
        EXPECT_EQ(first.seen, 1);
    }

    // Someone subclasses after the wrapper: detaching must not cut them out.
    laterSeen = 0;
    CountingControl wrapper;
    ASSERT_TRUE(wrapper.SubclassWindow(edit));
    beforeLater = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
    wrapper.Detach();
    SendMessageW(edit, WM_USER + 7, 0, 0);
    SetWindowTextW(edit, L"chain intact");
    EXPECT_EQ(laterSeen, 1);
    EXPECT_EQ(wrapper.seen, 0);
    EXPECT_EQ(Window(edit).Text(), L"chain intact");

    // A new wrapper takes the link over; the window's end lets it go.
    CountingControl next;
    ASSERT_TRUE(next.SubclassWindow(edit));
    SendMessageW(edit, WM_USER + 7, 0, 0);
    EXPECT_EQ(next.seen, 1);
    EXPECT_EQ(laterSeen, 2);
    {
        ChildControl doomed(L"Edit", 0, RECT{0, 0, 40, 20}, 101);
        CountingControl bound;
        ASSERT_TRUE(bound.SubclassWindow(doomed));
        DestroyWindow(doomed);
        EXPECT_EQ(bound.Handle(), nullptr);
    }
}
