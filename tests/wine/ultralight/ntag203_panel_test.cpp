#include <gtest/gtest.h>

#include "tag_script.h"
#include "vantrel/panels/iso14443a/ntag203_ids.h"
#include "vantrel/panels/iso14443a/ntag203_panel.h"

class Ntag203PanelTest : public ::testing::Test {
protected:
    PanelHarness<CNtag203Panel> h;
};

TEST_F(Ntag203PanelTest, OnlyTheFirstSixteenPagesFilterKeys) {
    h.Type(IDC_NT_PAGE15, L"aXg1");
    EXPECT_EQ(h.Text(IDC_NT_PAGE15), L"a1");
    h.Type(IDC_NT_PAGE16, L"aXg1");
    EXPECT_EQ(h.Text(IDC_NT_PAGE16), L"aXg1");
    // Plain page edits keep the 8-character limit.
    h.Type(IDC_NT_PAGE30, L"0123456789");
    EXPECT_EQ(h.Text(IDC_NT_PAGE30), L"01234567");
}
