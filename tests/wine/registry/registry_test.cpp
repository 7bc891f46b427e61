#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "shell/frame_fixture.h"
#include "vantrel/shell/card_registry.h"

namespace {

// Card codes of every card item in `menu` and its popups.
void CollectCardCodes(HMENU menu, std::set<int32_t>& codes) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU popup = GetSubMenu(menu, i)) {
            CollectCardCodes(popup, codes);
        } else if (const int32_t code = CardCodeForMenuId(GetMenuItemID(menu, i)); code >= 0) {
            codes.insert(code);
        }
    }
}

// Command ids of every item in `menu` and its popups, separators left out.
void CollectItemIds(HMENU menu, std::multiset<UINT>& ids) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU popup = GetSubMenu(menu, i)) {
            CollectItemIds(popup, ids);
        } else if (!(GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR)) {
            ids.insert(GetMenuItemID(menu, i));
        }
    }
}

std::set<int32_t> CodesOfMenu(HMENU menu) {
    std::set<int32_t> codes;
    CollectCardCodes(menu, codes);
    return codes;
}

std::wstring MenuText(HMENU menu, int position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

int CheckedItems(HMENU menu) {
    int checked = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU popup = GetSubMenu(menu, i)) {
            checked += CheckedItems(popup);
        } else if (GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED) {
            ++checked;
        }
    }
    return checked;
}

#ifdef VANTREL_OFFER_ALL_CARDS
const std::set<int32_t> kExpectedOffered = [] {
    std::set<int32_t> all;
    for (int32_t code = 0; code < 30; ++code) all.insert(code);
    return all;
}();
#else
// Every card but SAM (11), CPU Card (12), the AT24Cxx (13-19) and AT88SC1608 (20).
const std::set<int32_t> kExpectedOffered = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 21,
                                            22, 23, 24, 25, 26, 27, 28, 29};
#endif

}  // namespace

using RegistryTest = FrameTest;

TEST_F(RegistryTest, EveryRegisteredPanelOpensThroughTheHostAtEveryScreenWidth) {
    std::vector<const CardTypeRow*> rows;
    for (const CardTypeRow& row : CardTypes()) rows.push_back(&row);
    rows.push_back(&DevicePageRow());
    CVantrelView& view = frame->View();
    int panels = 0;
    for (const CardTypeRow* row : rows) {
        ++panels;
        for (const int width : {1280, 800, 640}) {
            SCOPED_TRACE(testing::Message() << "code " << row->code << ", screen width " << width);
            view.SetScreenWidth(width);
            if (row->code == 255) {
                view.ShowDevicePage();
            } else {
                view.ShowCardPanel(row->code);
            }
            PumpMessages();
            CardPanelBase* panel = view.CurrentPanel();
            ASSERT_NE(panel, nullptr);
            EXPECT_TRUE(IsWindow(*panel));
            EXPECT_TRUE(panel->IsVisible());
            EXPECT_EQ(panel->TemplateId(), row->layout.ForWidth(width).templateId);
            EXPECT_GT(panel->ContentHeight(), 0);
            EXPECT_EQ(panel->MissingControls(), std::vector<int>{});
            EXPECT_GE(panel->RectIn(view).left, 0);
        }
    }
    EXPECT_GE(panels, 6);
}

TEST_F(RegistryTest, MenuOffersExactlyTheCardTypesOfTheAvailabilityTable) {
    EXPECT_EQ(CodesOfMenu(Menu()), kExpectedOffered);
    for (const CardTypeRow& row : CardTypes()) {
        EXPECT_EQ(IsOffered(row), kExpectedOffered.count(row.code) == 1) << row.code;
    }

    HMENU chooseCard = GetSubMenu(Menu(), 1);
#ifdef VANTREL_OFFER_ALL_CARDS
    ASSERT_EQ(GetMenuItemCount(chooseCard), 6);
    EXPECT_EQ(MenuText(chooseCard, 3), L"ISO7816");
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(chooseCard, 3)), 10);
    EXPECT_EQ(MenuText(chooseCard, 4), L"SAM");
    EXPECT_EQ(MenuText(chooseCard, 5), L"Pass_Through");
#else
    ASSERT_EQ(GetMenuItemCount(chooseCard), 4);
    EXPECT_EQ(MenuText(chooseCard, 0), L"ISO14443A");
    EXPECT_EQ(MenuText(chooseCard, 1), L"ISO14443B");
    EXPECT_EQ(MenuText(chooseCard, 2), L"ISO15693");
    EXPECT_EQ(MenuText(chooseCard, 3), L"Pass_Through");
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(chooseCard, 0)), 8);
#endif
}

TEST(CardRegistry, TheMenuResourceHoldsExactlyTheRegisteredCardTypes) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(menu, nullptr);
    std::multiset<UINT> inMenu;
    CollectItemIds(GetSubMenu(menu, 1), inMenu);
    DestroyMenu(menu);
    std::multiset<UINT> registered;
    for (const CardTypeRow& row : CardTypes()) registered.insert(row.menuId);
    EXPECT_EQ(inMenu, registered);
}

TEST_F(RegistryTest, EveryCardMenuCommandSelectsItsCodeAndIdsOutsideTheRangeDoNothing) {
    UINT first = 0xFFFF;
    UINT last = 0;
    for (const CardTypeRow& row : CardTypes()) {
        SCOPED_TRACE(testing::Message() << "code " << row.code);
        EXPECT_EQ(CardCodeForMenuId(row.menuId), row.code);
        EXPECT_EQ(CardMenuId(row.code), row.menuId);
        first = std::min(first, row.menuId);
        last = std::max(last, row.menuId);

        Command(row.menuId);
        EXPECT_EQ(settings.curCard, row.code);
        EXPECT_EQ(frame->Text(), std::wstring(L"Ketra  -  ") + row.name);
        EXPECT_EQ(BarText(IDC_BAR_CARD), row.name);
        if (IsOffered(row)) {
            EXPECT_TRUE(GetMenuState(Menu(), row.menuId, MF_BYCOMMAND) & MF_CHECKED);
            EXPECT_EQ(CheckedItems(GetSubMenu(Menu(), 1)), 1);
        }
    }

    Command(ID_CARD_MIFARE_1K);
    const HWND panel = frame->View().CurrentPanel()->Handle();
    for (const UINT outside : {first - 1, last + 1}) {
        EXPECT_EQ(CardCodeForMenuId(outside), -1);
        Command(outside);
        EXPECT_EQ(settings.curCard, 1);
        EXPECT_EQ(frame->View().CurrentPanel()->Handle(), panel);
        EXPECT_EQ(frame->Text(), L"Ketra  -  Mifare_1K");
    }
}

namespace {

// A panel on the dialog bar's template that binds one control it has and two
// it lacks.
class BindingProbe : public CardPanelBase {
public:
    explicit BindingProbe(PanelContext& context) : CardPanelBase(IDD_DIALOG_BAR, context) {}
    bool boundMemo = false;

protected:
    BOOL OnInitDialog() override {
        CardPanelBase::OnInitDialog();
        boundMemo = Bind(memo_, IDC_BAR_MEMO);
        Bind(missingEdit_, 4242);
        BindItem(4343);
        return TRUE;
    }

private:
    class Plain : public SubclassedControl {
        bool HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
    };
    Plain memo_;
    Plain missingEdit_;
};

}  // namespace

TEST(CardPanelBinding, ControlsMissingFromTheTemplateAreRecorded) {
    PanelHarness<BindingProbe> h;
    EXPECT_TRUE(h.panel->boundMemo);
    EXPECT_EQ(h.panel->MissingControls(), (std::vector<int>{4242, 4343}));
}
