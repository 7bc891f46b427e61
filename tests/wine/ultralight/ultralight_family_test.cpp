// What every panel of the UltraLight family does alike; a new panel of the
// family adds a row here.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tag_script.h"
#include "vantrel/panels/iso14443a/ntag203_ids.h"
#include "vantrel/panels/iso14443a/ntag203_panel.h"
#include "vantrel/panels/iso14443a/ultralight_c_ids.h"
#include "vantrel/panels/iso14443a/ultralight_c_panel.h"
#include "vantrel/panels/iso14443a/ultralight_ids.h"
#include "vantrel/panels/iso14443a/ultralight_panel.h"

namespace {

struct UltraLightRow {
    using Panel = CUltraLightPanel;
    static constexpr int kUid = IDC_UL_UID, kSearch = IDC_UL_SEARCH, kReqIdl = IDC_UL_REQIDL,
                         kHalt = IDC_UL_HALT, kPageLabel = IDC_UL_PAGE_LABEL,
                         kPageList = IDC_UL_PAGE_LIST, kRead = IDC_UL_READ, kWrite = IDC_UL_WRITE,
                         kPage0 = IDC_UL_PAGE0;
    static constexpr int kLastPage = 15, kPagesPerRead = 4;
    static constexpr bool kUidLocked = false;
    static std::vector<int> Highlighted() { return {IDC_UL_PAGE2_LOCK, IDC_UL_PAGE3}; }
};

struct Ntag203Row {
    using Panel = CNtag203Panel;
    static constexpr int kUid = IDC_NT_UID, kSearch = IDC_NT_SEARCH, kReqIdl = IDC_NT_REQIDL,
                         kHalt = IDC_NT_HALT, kPageLabel = IDC_NT_PAGE_LABEL,
                         kPageList = IDC_NT_PAGE_LIST, kRead = IDC_NT_READ, kWrite = IDC_NT_WRITE,
                         kPage0 = IDC_NT_PAGE0;
    static constexpr int kLastPage = 41, kPagesPerRead = 1;
    static constexpr bool kUidLocked = true;
    static std::vector<int> Highlighted() {
        return {IDC_NT_PAGE2_LOCK, IDC_NT_PAGE3, IDC_NT_PAGE40, IDC_NT_PAGE41};
    }
};

struct UltraLightCRow {
    using Panel = CUltraLightCPanel;
    static constexpr int kUid = IDC_ULC_UID, kSearch = IDC_ULC_SEARCH, kReqIdl = IDC_ULC_REQIDL,
                         kHalt = IDC_ULC_HALT, kPageLabel = IDC_ULC_PAGE_LABEL,
                         kPageList = IDC_ULC_PAGE_LIST, kRead = IDC_ULC_READ,
                         kWrite = IDC_ULC_WRITE, kPage0 = IDC_ULC_PAGE0;
    static constexpr int kLastPage = 43, kPagesPerRead = 1;
    static constexpr bool kUidLocked = true;
    static std::vector<int> Highlighted() {
        return {IDC_ULC_PAGE2_LOCK, IDC_ULC_PAGE3, IDC_ULC_PAGE40,
                IDC_ULC_PAGE41,     IDC_ULC_PAGE42, IDC_ULC_PAGE43};
    }
};

const Calls kSearchAttempt = {"rf_antenna_sta(0, 0)", "rf_init_type(0, 65)", "Wait(20)",
                              "rf_antenna_sta(0, 1)", "rf_request(0, 82, *)"};

}  // namespace

template <typename Row>
class UltraLightFamilyTest : public ::testing::Test {
protected:
    // The edit of page `page` (of its first half for page 2).
    static int Page(int page) { return Row::kPage0 + (page <= 2 ? page : page + 1); }
    static int Page2Lock() { return Row::kPage0 + 3; }
    // Every page edit, the lock half of page 2 included.
    static std::vector<int> PageEdits() { return Range(Row::kPage0, Page(Row::kLastPage)); }

    PanelHarness<typename Row::Panel> h;
};

using FamilyRows = ::testing::Types<UltraLightRow, Ntag203Row, UltraLightCRow>;
TYPED_TEST_SUITE(UltraLightFamilyTest, FamilyRows);

TYPED_TEST(UltraLightFamilyTest, OffersPagesTwoToTheLastUnderEnglishCaptions) {
    auto& h = this->h;
    EXPECT_EQ(ListNumbers(h.Item(TypeParam::kPageList)), Range(2, TypeParam::kLastPage));
    EXPECT_EQ(ListTexts(h.Item(TypeParam::kPageList)).back(), std::to_wstring(TypeParam::kLastPage));
    EXPECT_EQ(SendMessageW(h.Item(TypeParam::kPageList), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(h.Text(TypeParam::kSearch), L"ReqALL");
    EXPECT_EQ(h.Text(TypeParam::kPageLabel), L"WriterPage");
    EXPECT_EQ(h.Text(TypeParam::kHalt), L"Halt");
    EXPECT_GT(h.panel->ContentHeight(), 0);

    h.Type(TypeParam::kUid, L"04ab");
    EXPECT_EQ(h.Text(TypeParam::kUid), TypeParam::kUidLocked ? L"" : L"04ab");
}

TYPED_TEST(UltraLightFamilyTest, OnlyLockAndOneTimeFieldsAreYellowOnRedWithOneBrush) {
    auto& h = this->h;
    const std::vector<int> highlighted = TypeParam::Highlighted();
    HDC dc = GetDC(*h.panel);
    std::vector<LRESULT> brushes;
    for (int id : this->PageEdits()) {
        SetTextColor(dc, RGB(0, 0, 0));
        const LRESULT brush = SendMessageW(*h.panel, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(h.Item(id)));
        const bool yellow = GetTextColor(dc) == RGB(255, 255, 0);
        const bool expected = std::find(highlighted.begin(), highlighted.end(), id) != highlighted.end();
        EXPECT_EQ(yellow, expected) << id;
        if (yellow) brushes.push_back(brush);
    }
    ReleaseDC(*h.panel, dc);

    ASSERT_EQ(brushes.size(), highlighted.size());
    LOGBRUSH lb{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HBRUSH>(brushes[0]), sizeof(lb), &lb), 0);
    EXPECT_EQ(lb.lbColor, RGB(240, 0, 0));
    // One brush for the program, not a new one per repaint.
    EXPECT_EQ(std::count(brushes.begin(), brushes.end(), brushes[0]),
              static_cast<std::ptrdiff_t>(brushes.size()));
}

TYPED_TEST(UltraLightFamilyTest, PageTwoJoinsItsHalvesAndShortPagesArePaddedWithZeros) {
    auto& h = this->h;
    PageWrite written;
    CaptureWrites(h.script, written);
    h.Type(this->Page(2), L"1");
    h.Type(this->Page2Lock(), L"22");
    ChooseNumber(h.Item(TypeParam::kPageList), 2);
    h.Click(TypeParam::kWrite);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_ul_write(0, 2, *)"}));
    EXPECT_EQ(written.data, (std::vector<uint8_t>{0x01, 0x00, 0x22, 0x00}));

    h.Type(this->Page(TypeParam::kLastPage), L"abc");
    ChooseNumber(h.Item(TypeParam::kPageList), TypeParam::kLastPage);
    h.Click(TypeParam::kWrite);
    EXPECT_EQ(written.page, TypeParam::kLastPage);
    EXPECT_EQ(written.data, (std::vector<uint8_t>{0xAB, 0x0C, 0x00, 0x00}));

    // An empty one-time page writes four zeros, without a question.
    ChooseNumber(h.Item(TypeParam::kPageList), 3);
    h.Click(TypeParam::kWrite);
    EXPECT_EQ(written.page, 3);
    EXPECT_EQ(written.data, (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_TRUE(h.services.boxes.empty());
    EXPECT_EQ(h.services.status, L"OK");
}

TYPED_TEST(UltraLightFamilyTest, ReadShowsEveryPageAndAFailureKeepsTheEarlierOnes) {
    auto& h = this->h;
    const int pages = TypeParam::kLastPage + 1;
    ServeReads(h.script, pages);
    h.Click(TypeParam::kRead);
    Calls reads;
    for (int first = 0; first < pages; first += TypeParam::kPagesPerRead) {
        std::string call = "rf_M1_read(0, ";
        call += std::to_string(first);
        call += ", *, *)";
        reads.push_back(std::move(call));
    }
    EXPECT_EQ(h.script.Log(), reads);
    EXPECT_EQ(h.Text(this->Page(1)), PageHex(1));
    EXPECT_EQ(h.Text(this->Page(2)), PageHex(2).substr(0, 4));
    EXPECT_EQ(h.Text(this->Page2Lock()), PageHex(2).substr(4));
    EXPECT_EQ(h.Text(this->Page(3)), PageHex(3));
    EXPECT_EQ(h.Text(this->Page(TypeParam::kLastPage)), PageHex(TypeParam::kLastPage));
    EXPECT_EQ(h.services.status, L"OK");

    // The second read fails: the first read's pages stay, the rest is empty.
    const int failing = TypeParam::kPagesPerRead;
    h.script.ClearLog();
    ServeReads(h.script, failing, 0x14);
    h.Click(TypeParam::kRead);
    EXPECT_EQ(h.script.Log().size(), 2u);
    EXPECT_EQ(h.services.log.back(), (FakeServices::LogLine{L"rf_M1_read", 0x14}));
    EXPECT_EQ(h.Text(this->Page(failing - 1)), PageHex(failing - 1));
    EXPECT_EQ(h.Text(this->Page(failing)), L"");
    EXPECT_EQ(h.Text(this->Page(TypeParam::kLastPage)), L"");
    EXPECT_EQ(h.services.status,
              L"Error: 14 ,function: Read Page: " + std::to_wstring(failing) + L" error!");
    EXPECT_EQ(h.services.beeps, 1);
}

TYPED_TEST(UltraLightFamilyTest, SearchReqIdlAndHaltFollowTheFamilysActivation) {
    auto& h = this->h;
    h.SetText(this->Page(5), L"12345678");
    h.SetText(TypeParam::kUid, L"04112233445566");
    h.script.Fail(h.script.library.rf_request, 1);
    h.Click(TypeParam::kSearch);
    Calls twoAttempts = kSearchAttempt;
    twoAttempts.insert(twoAttempts.end(), kSearchAttempt.begin(), kSearchAttempt.end());
    EXPECT_EQ(h.script.Log(), twoAttempts);
    EXPECT_EQ(h.Text(TypeParam::kUid), L"");
    EXPECT_EQ(h.Text(this->Page(5)), L"12345678");
    EXPECT_EQ(h.services.status, L"Error: 1 ,function: rf_request");

    h.script.ClearLog();
    h.script.On(h.script.library.rf_request, [](int32_t, uint8_t, uint16_t*) { return 0; });
    h.script.On(h.script.library.rf_ul_select, [](int32_t, uint8_t* uid, uint8_t* length) {
        Answer(uid, length, {0x04, 0xA1, 0xB2, 0xC3, 0xD4, 0xE5, 0xF6});
        return 0;
    });
    h.Click(TypeParam::kSearch);
    Calls found = kSearchAttempt;
    found.push_back("rf_ul_select(0, *, *)");
    EXPECT_EQ(h.script.Log(), found);
    EXPECT_EQ(h.Text(TypeParam::kUid), L"04A1B2C3D4E5F6");
    EXPECT_EQ(h.Text(this->Page(5)), L"");
    EXPECT_EQ(h.services.status, L"Communication successful");

    h.script.ClearLog();
    h.Click(TypeParam::kReqIdl);
    h.Click(TypeParam::kHalt);
    EXPECT_EQ(h.script.Log(),
              (Calls{"rf_request(0, 38, *)", "rf_ul_select(0, *, *)", "rf_halt(0)"}));
    EXPECT_EQ(h.services.log, (std::vector<FakeServices::LogLine>{{L"rf_halt", 0}}));
    EXPECT_EQ(h.services.status, L"Communication successful");
}

TYPED_TEST(UltraLightFamilyTest, EveryButtonNeedsTheConnection) {
    auto& h = this->h;
    h.connection.open = false;
    h.SetText(this->Page(4), L"01020304");
    for (int button : {TypeParam::kSearch, TypeParam::kReqIdl, TypeParam::kHalt, TypeParam::kRead,
                       TypeParam::kWrite}) {
        h.services.status.clear();
        h.Click(button);
        EXPECT_EQ(h.services.status, L"Error: Port did't opened") << button;
    }
    EXPECT_TRUE(h.script.Log().empty());
    EXPECT_TRUE(h.services.log.empty());
    EXPECT_EQ(h.Text(this->Page(4)), L"01020304");
}
