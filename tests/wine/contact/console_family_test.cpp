// What the three command console panels share, one row per panel: the length
// rules, the history, answers and failures of their send function.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "contact/console_harness.h"
#include "support/cos_dialog_driver.h"
#include "vantrel/panels/contact/cpu_card_panel.h"
#include "vantrel/panels/contact/sam_panel.h"
#include "vantrel/panels/iso14443a/pass_through_panel.h"
#include "vantrel/panels/iso14443a/tcl_panel.h"
#include "vantrel/resources/cos_command_ids.h"
#include "vantrel/toolkit/cos_command_dialog.h"

namespace {

using Frames = std::vector<std::vector<uint8_t>>;

struct CpuRow {
    using Panel = CCpuCardPanel;
    static constexpr const wchar_t* kHistory = L"\\cpubooks.txt";
    static constexpr ConsoleIds kIds{IDC_CPU_COMMAND, IDC_CPU_HISTORY, IDC_CPU_SEND, IDC_CPU_ANSWERS, IDC_CPU_CLEAR};
    static constexpr bool kApdu = true;
    static constexpr const wchar_t* kDone = L"Communication successful";
    static auto& Send(ReaderLibrary& library) { return library.smartcard_cos; }
};
struct SamRow {
    using Panel = CSamPanel;
    static constexpr const wchar_t* kHistory = L"\\samcosbooks.txt";
    static constexpr ConsoleIds kIds{IDC_SAM_COMMAND, IDC_SAM_HISTORY, IDC_SAM_SEND, IDC_SAM_ANSWERS, IDC_SAM_CLEAR};
    static constexpr bool kApdu = true;
    static constexpr const wchar_t* kDone = L"OK";
    static auto& Send(ReaderLibrary& library) { return library.rf_sam_cos; }
};
struct PassThroughRow {
    using Panel = CPassThroughPanel;
    static constexpr const wchar_t* kHistory = L"\\testcmdbooks.txt";
    static constexpr ConsoleIds kIds{IDC_PASS_DATA, IDC_PASS_HISTORY, IDC_PASS_TRANSCEIVE, IDC_PASS_ANSWERS,
                                     IDC_PASS_CLEAR};
    static constexpr bool kApdu = false;
    static constexpr const wchar_t* kDone = L"Communication successful";
    static auto& Send(ReaderLibrary& library) { return library.rf_transceive1; }
};

template <typename Row>
class ConsoleFamilyTest : public ::testing::Test {
protected:
    ConsoleFamilyTest() : h(Row::kHistory) {}

    // Records what is sent and answers `answer` with `status`.
    void Answer(std::vector<uint8_t> answer, int32_t status = 0) {
        h.script.On(Row::Send(h.script.library),
                    [this, answer, status](int32_t, const uint8_t* frame, uint8_t length, uint8_t* out,
                                           uint8_t* outLength) {
                        sent.emplace_back(frame, frame + length);
                        ::Answer(out, outLength, answer);
                        return status;
                    });
    }
    void Send(const std::wstring& text) {
        h.SetText(Row::kIds.command, text);
        h.Click(Row::kIds.send);
    }
    std::vector<std::wstring> Answers() const { return AnswerItems(h.Item(Row::kIds.answers)); }
    std::wstring SendName() { return Row::Send(h.script.library).Name(); }

    ConsoleHarness<typename Row::Panel> h;
    Frames sent;
};

struct TipSearch {
    HWND list;
    std::wstring text;
};

// The text a tooltip holds for the list, when it has a tool for it.
BOOL CALLBACK ReadListTip(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<TipSearch*>(param);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) != TOOLTIPS_CLASSW) return TRUE;
    wchar_t text[512] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = search.list;
    tool.uId = reinterpret_cast<UINT_PTR>(search.list);
    tool.lpszText = text;
    if (!SendMessageW(window, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) return TRUE;
    SendMessageW(window, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    search.text = text;
    return FALSE;
}

// The tip the list's tooltip holds once the pointer moved onto item `index`;
// "" when the list made no tooltip.
std::wstring HintOverItem(HWND list, int index) {
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(item.left + 4, (item.top + item.bottom) / 2));
    TipSearch search{list, L""};
    EnumThreadWindows(GetCurrentThreadId(), ReadListTip, reinterpret_cast<LPARAM>(&search));
    return search.text;
}

using Rows = ::testing::Types<CpuRow, SamRow, PassThroughRow>;
TYPED_TEST_SUITE(ConsoleFamilyTest, Rows);

// The T=CL panel sends through the same console with its own rules
// (tests/wine/tcl); its history works as the others'.
struct TclRow {
    using Panel = CTclPanel;
    static constexpr const wchar_t* kHistory = L"\\cosbooks.txt";
    static constexpr ConsoleIds kIds{IDC_TCL_COMMAND, IDC_TCL_HISTORY, IDC_TCL_SEND, IDC_TCL_ANSWERS, IDC_TCL_CLEAR};
};

template <typename Row>
auto OpenConsole(const std::string& history) {
    using Harness = ConsoleHarness<typename Row::Panel>;
    if constexpr (std::is_same_v<typename Row::Panel, CTclPanel>) {
        return std::make_unique<Harness>(Row::kHistory, history, kCodeMifarePro);
    } else {
        return std::make_unique<Harness>(Row::kHistory, history);
    }
}

template <typename Row>
class ConsoleHistoryTest : public ::testing::Test {};
using HistoryRows = ::testing::Types<CpuRow, SamRow, PassThroughRow, TclRow>;
TYPED_TEST_SUITE(ConsoleHistoryTest, HistoryRows);

}  // namespace

TYPED_TEST(ConsoleFamilyTest, LengthRulesPaddingAndTheHistory) {
    this->Answer({0x6F, 0x0a, 0x90, 0x00});
    this->Send(L"00840000");
    this->Send(L"");
    if (TypeParam::kApdu) {
        // Four bytes and nothing are both refused with the box; the edit keeps its text.
        ASSERT_EQ(this->h.services.boxes.size(), 2u);
        EXPECT_EQ(this->h.services.boxes[0].text, L"Cos command must be more than 5 bytes!");
        EXPECT_EQ(this->h.services.boxes[0].caption, L"error");
        EXPECT_EQ(this->h.services.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
        EXPECT_TRUE(this->sent.empty());
    } else {
        // No minimum: four bytes go out, an empty edit ends quietly.
        EXPECT_TRUE(this->h.services.boxes.empty());
        EXPECT_EQ(this->sent, (Frames{{0x00, 0x84, 0x00, 0x00}}));
        this->sent.clear();
        this->Send(L"5");
        EXPECT_EQ(this->sent, (Frames{{0x05}}));
        this->sent.clear();
    }
    // A lone last digit is a byte of its own; the same command twice is kept once.
    this->Send(L"00a40400C");
    this->Send(L"00A40400c");
    EXPECT_EQ(this->sent, (Frames{{0x00, 0xA4, 0x04, 0x00, 0x0C}, {0x00, 0xA4, 0x04, 0x00, 0x0C}}));
    EXPECT_EQ(this->h.services.status, TypeParam::kDone);
    EXPECT_EQ(this->h.services.beeps, 0);
    std::vector<std::wstring> expected(TypeParam::kApdu ? 2 : 4, L"6F0A9000");
    EXPECT_EQ(this->Answers(), expected);
    this->h.Click(TypeParam::kIds.clear);
    EXPECT_TRUE(this->Answers().empty());
    // More than the length byte counts is refused and not recorded; as much goes out.
    this->h.services.boxes.clear();
    this->Send(std::wstring(2 * 256, L'a'));
    ASSERT_EQ(this->h.services.boxes.size(), 1u);
    EXPECT_EQ(this->h.services.boxes[0].text, L"Cos command must not be more than 255 bytes!");
    EXPECT_EQ(this->sent.size(), 2u);
    this->Send(std::wstring(2 * 255, L'a'));
    ASSERT_EQ(this->sent.size(), 3u);
    EXPECT_EQ(this->sent[2], std::vector<uint8_t>(255, 0xAA));
    this->h.Close();
    const std::string longest = std::string(2 * 255, 'a') + "\r\n";
    EXPECT_EQ(this->h.HistoryContent(),
              (TypeParam::kApdu ? "00a404000c\r\n" : "00840000\r\n05\r\n00a404000c\r\n") + longest);
}

// An APDU's answer has a tip with its status word in plain words; a raw frame none.
TYPED_TEST(ConsoleFamilyTest, AnAnswerEndingInAStatusWordHasItsHint) {
    this->Answer({0x6A, 0x82});
    this->Send(L"00A4040007A0000000041010");
    this->Answer({0x01, 0x02, 0x63, 0xC1});
    this->Send(L"0020000104313233");
    ASSERT_EQ(this->Answers().size(), 2u);
    const HWND list = this->h.Item(TypeParam::kIds.answers);
    EXPECT_EQ(HintOverItem(list, 0), TypeParam::kApdu ? L"File or application not found." : L"");
    EXPECT_EQ(HintOverItem(list, 1), TypeParam::kApdu ? L"Verification failed; tries left: 1." : L"");
}

TYPED_TEST(ConsoleFamilyTest, FailuresShortAnswersAndAClosedPort) {
    this->Answer({}, 0x0b);
    this->Send(L"0084000008");
    EXPECT_EQ(this->h.services.status, L"Error: b ,function: " + this->SendName());
    EXPECT_TRUE(this->Answers().empty());

    // An answer without its status word is refused on the APDU panels; a raw
    // frame may be answered with nothing at all.
    this->Answer({0x90});
    this->Send(L"0084000008");
    this->Answer({});
    this->Send(L"0084000008");
    if (TypeParam::kApdu) {
        EXPECT_EQ(this->h.services.status, L"Error: Answer length error ,function: " + this->SendName());
        EXPECT_TRUE(this->Answers().empty());
    } else {
        EXPECT_EQ(this->Answers(), (std::vector<std::wstring>{L"90", L""}));
        EXPECT_EQ(this->h.services.status, TypeParam::kDone);
    }

    this->h.connection.open = false;
    this->h.script.ClearLog();
    this->Send(L"0084000008");
    EXPECT_EQ(this->h.services.status, L"Error: Port did't opened");
    EXPECT_TRUE(this->h.script.Log().empty());
    this->h.Close();
    // Failing commands are recorded too, before the card answers.
    EXPECT_EQ(this->h.HistoryContent(), "0084000008\r\n");
}

// The small button opens the dialog on the file's commands, the last one
// chosen; a pick (0x465, as the dialog sends it) is lower-cased into the
// command edit and sends nothing.
TYPED_TEST(ConsoleHistoryTest, TheButtonListsTheFileAndAPickedCommandComesBackLowerCased) {
    const auto h = OpenConsole<TypeParam>("  00A4040000\r\n\n0084000008\r\n");
    std::vector<std::wstring> shown;
    LRESULT selected = -1;
    std::wstring captions;
    WhenCosDialogOpens([&](HWND dialog) {
        shown = AnswerItems(GetDlgItem(dialog, IDC_COS_HISTORY));
        selected = SendDlgItemMessageW(dialog, IDC_COS_HISTORY, LB_GETCURSEL, 0, 0);
        captions = Window(dialog).Text() + L"|" + Window(GetDlgItem(dialog, IDC_COS_CLEAR)).Text() + L"|" +
                   Window(GetDlgItem(dialog, IDC_COS_EXIT)).Text();
        DoubleClickList(dialog, ListItemCentre(dialog, 0));
        EXPECT_FALSE(IsWindowVisible(dialog));
    });
    h->Click(TypeParam::kIds.history);
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"00A4040000", L"0084000008"}));
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(captions, L"COS Command|Clear|Exit");
    EXPECT_EQ(h->Text(TypeParam::kIds.command), L"00a4040000");

    std::wstring picked = L"80CA9F7F00";
    SendMessageW(*h->panel, kCommandPicked, 0, reinterpret_cast<LPARAM>(picked.data()));
    EXPECT_EQ(h->Text(TypeParam::kIds.command), L"80ca9f7f00");
    EXPECT_TRUE(h->script.Log().empty());
}
