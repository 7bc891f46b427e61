// The operator works on page-addressed tags (UltraLight, NTAG203,
// UltraLight C) with the real program and the real library.
#include <gtest/gtest.h>

#include <span>
#include <string>

#include "e2e/e2e_driver.h"
#include "e2e/e2e_environment.h"
#include "kelvar/cards/ntag203_tag.h"
#include "kelvar/cards/ultralight_c_tag.h"
#include "kelvar/cards/ultralight_tag.h"
#include "vantrel/panels/iso14443a/ntag203_ids.h"
#include "vantrel/panels/iso14443a/ultralight_c_ids.h"
#include "vantrel/panels/iso14443a/ultralight_ids.h"
#include "vantrel/toolkit/hex_text.h"

namespace {

struct TagPanel {
    const char* name;
    int32_t cardCode;
    const char* field;
    kelvar::TagUid uid;
    int search, reqIdl, halt, uidEdit, read, write, pageList;
    int firstPageEdit;  // page 0; page 2 takes two edits, page p > 2 is firstPageEdit + 1 + p
    int pageCount;
    int writePage;  // a plain data page
};

const TagPanel kPanels[] = {
    {"UltraLight", 0, "ultralight", kelvar::UltralightTag::kDefaultUid, IDC_UL_SEARCH, IDC_UL_REQIDL, IDC_UL_HALT, IDC_UL_UID,
     IDC_UL_READ, IDC_UL_WRITE, IDC_UL_PAGE_LIST, IDC_UL_PAGE0, 16, 4},
    {"Ntag203", 29, "ntag203", kelvar::Ntag203Tag::kDefaultUid, IDC_NT_SEARCH, IDC_NT_REQIDL, IDC_NT_HALT, IDC_NT_UID,
     IDC_NT_READ, IDC_NT_WRITE, IDC_NT_PAGE_LIST, IDC_NT_PAGE0, 42, 20},
    {"UltraLightC", 28, "ultralightc", kelvar::UltralightCTag::kDefaultUid, IDC_ULC_SEARCH,
     IDC_ULC_REQIDL, IDC_ULC_HALT, IDC_ULC_UID, IDC_ULC_READ, IDC_ULC_WRITE, IDC_ULC_PAGE_LIST, IDC_ULC_PAGE0, 44, 30},
};

constexpr int kFirstWritablePage = 2;
constexpr wchar_t kPageData[] = L"CAFEBABE";

int PageEdit(const TagPanel& panel, int page) {
    return page < 3 ? panel.firstPageEdit + page : panel.firstPageEdit + 1 + page;
}

void SearchFinds(VantrelProgram& app, const TagPanel& panel) {
    ASSERT_TRUE(app.Click(panel.search));
    EXPECT_EQ(app.Status(), L"Communication successful");
    EXPECT_EQ(app.Text(panel.uidEdit), BytesToHex(panel.uid));
}

// Reads the whole tag and checks that every page edit shows its bytes.
void ReadFillsEveryPage(VantrelProgram& app, const TagPanel& panel) {
    ASSERT_TRUE(app.Click(panel.read));
    EXPECT_EQ(app.Status(), L"OK");
    const int lastEdit = PageEdit(panel, panel.pageCount - 1);
    for (int id = panel.firstPageEdit; id <= lastEdit; ++id) {
        const bool halfPage = id == PageEdit(panel, 2) || id == PageEdit(panel, 2) + 1;
        EXPECT_EQ(app.Text(id).size(), halfPage ? 4u : 8u) << "edit " << id << ": " << app.Text(id);
    }
    // Page 0 starts with the first three UID bytes.
    EXPECT_EQ(app.Text(panel.firstPageEdit).substr(0, 6), BytesToHex(std::span(panel.uid).first(3)));
}

class TagStory : public ::testing::TestWithParam<TagPanel> {};

}  // namespace

TEST_P(TagStory, SearchReadAndAWrittenPageThatOutlivesTheProgram) {
    const TagPanel& panel = GetParam();
    E2eEnvironment env(panel.field);
    ASSERT_TRUE(env.Ready());
    {
        VantrelProgram app;
        ASSERT_TRUE(app.Start(panel.cardCode));
        SearchFinds(app, panel);

        // A halted tag answers no idle request; a search wakes it.
        ASSERT_TRUE(app.Click(panel.halt));
        EXPECT_EQ(app.Status(), L"Communication successful");
        ASSERT_TRUE(app.Click(panel.reqIdl));
        EXPECT_TRUE(app.StatusReports(L"Error: ", L"rf_request")) << app.Status();
        EXPECT_EQ(app.Text(panel.uidEdit), L"");
        SearchFinds(app, panel);

        ReadFillsEveryPage(app, panel);
        EXPECT_EQ(app.Text(PageEdit(panel, panel.writePage)), L"00000000");

        ASSERT_TRUE(app.Select(panel.pageList, panel.writePage - kFirstWritablePage));
        ASSERT_TRUE(app.SetText(PageEdit(panel, panel.writePage), kPageData));
        ASSERT_TRUE(app.Click(panel.write));
        EXPECT_EQ(app.Status(), L"OK");
        EXPECT_TRUE(app.MessageBoxes().empty());
        ASSERT_TRUE(app.Close());
    }

    VantrelProgram app;
    ASSERT_TRUE(app.Start(panel.cardCode));
    SearchFinds(app, panel);
    EXPECT_EQ(app.Text(PageEdit(panel, panel.writePage)), L"");
    ReadFillsEveryPage(app, panel);
    EXPECT_EQ(app.Text(PageEdit(panel, panel.writePage)), kPageData);
    EXPECT_EQ(app.Text(PageEdit(panel, panel.writePage + 1)), L"00000000");
    EXPECT_TRUE(app.MessageBoxes().empty());
    EXPECT_TRUE(app.Close());
}

INSTANTIATE_TEST_SUITE_P(Panels, TagStory, ::testing::ValuesIn(kPanels),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UltraLightCStory, OnlyTheCurrentKeyAuthenticatesAndAChangedKeyOutlivesTheProgram) {
    const TagPanel& panel = kPanels[2];
    const std::wstring factoryKey = BytesToHex(kelvar::UltralightCTag::kFactoryKey);
    const std::wstring newKey = L"00112233445566778899AABBCCDDEEFF";
    E2eEnvironment env(panel.field);
    ASSERT_TRUE(env.Ready());
    {
        VantrelProgram app;
        ASSERT_TRUE(app.Start(panel.cardCode));
        SearchFinds(app, panel);
        ASSERT_TRUE(app.SetText(IDC_ULC_KEY, newKey));
        ASSERT_TRUE(app.Click(IDC_ULC_AUTHENTICATE));
        EXPECT_TRUE(app.StatusReports(L"Error: 11", L"rf_UC_authentication")) << app.Status();

        // The refused tag left the active state: search again, then the factory key.
        SearchFinds(app, panel);
        ASSERT_TRUE(app.SetText(IDC_ULC_KEY, factoryKey));
        ASSERT_TRUE(app.ClearStatus());
        ASSERT_TRUE(app.Click(IDC_ULC_AUTHENTICATE));
        EXPECT_EQ(app.Status(), L"");  // success is only logged

        ASSERT_TRUE(app.SetText(IDC_ULC_KEY, newKey));
        ASSERT_TRUE(app.Click(IDC_ULC_UPDATE));
        EXPECT_EQ(app.Status(), L"");
        EXPECT_TRUE(app.MessageBoxes().empty());
        ASSERT_TRUE(app.Close());
    }

    VantrelProgram app;
    ASSERT_TRUE(app.Start(panel.cardCode));
    SearchFinds(app, panel);
    ASSERT_TRUE(app.SetText(IDC_ULC_KEY, factoryKey));
    ASSERT_TRUE(app.Click(IDC_ULC_AUTHENTICATE));
    EXPECT_TRUE(app.StatusReports(L"Error: 11")) << app.Status();

    SearchFinds(app, panel);
    ASSERT_TRUE(app.SetText(IDC_ULC_KEY, newKey));
    ASSERT_TRUE(app.ClearStatus());
    ASSERT_TRUE(app.Click(IDC_ULC_AUTHENTICATE));
    EXPECT_EQ(app.Status(), L"");
    EXPECT_TRUE(app.MessageBoxes().empty());
    EXPECT_TRUE(app.Close());
}
