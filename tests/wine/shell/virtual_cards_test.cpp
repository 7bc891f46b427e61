// The virtual field from the program's side: the Set menu's own item, the
// card type's cards placed on a choice, and the virtual cards dialog.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "frame_fixture.h"
#include "support/fake_services.h"
#include "vantrel/shell/virtual_cards_dialog.h"

namespace {

constexpr int32_t kNoCard = 0x10;

// A reader with the virtual field's functions: it holds the cards of
// `held` (number, flags, identity) and follows the card type when told.
struct VirtualReaderScript {
    struct Held {
        uint8_t card;
        bool inField;
        std::vector<uint8_t> identity;
    };

    VirtualReaderScript(ScriptedReader& script, std::vector<Held> held) : cards(std::move(held)) {
        script.OfferVirtualField();
        script.On(script.library.VirtualCardState, [this](int32_t, uint8_t card, uint8_t* out, uint8_t* length) {
            for (const Held& held : cards) {
                if (held.card != card) continue;
                std::vector<uint8_t> answer = held.identity;
                answer.insert(answer.begin(), static_cast<uint8_t>(held.inField ? 1 : 0));
                Answer(out, length, answer);
                return 0;
            }
            return kNoCard;
        });
        script.On(script.library.VirtualCardsPlace, [this](int32_t, const uint8_t* list, uint8_t count) {
            placed.emplace_back(list, list + count);
            if (placeStatus != 0) return placeStatus;
            for (Held& held : cards) held.inField = std::find(list, list + count, held.card) != list + count;
            return 0;
        });
        script.On(script.library.VirtualFieldFollow, [this](int32_t, uint8_t* on) {
            *on = follows ? 1 : 0;
            return 0;
        });
        script.On(script.library.VirtualFieldSetFollow, [this](int32_t, uint8_t on) {
            if (setFollowStatus == 0) follows = on != 0;
            return setFollowStatus;
        });
    }

    std::vector<Held> cards;
    std::vector<std::vector<uint8_t>> placed;
    bool follows = true;
    int32_t placeStatus = 0;
    int32_t setFollowStatus = 0;
};

bool Offers(HMENU set) { return GetMenuState(set, ID_VIRTUAL_CARDS, MF_BYCOMMAND) != static_cast<UINT>(-1); }

class VirtualFieldFrameTest : public FrameTest {
protected:
    void SetUp() override {
        reader_.emplace(script, std::vector<VirtualReaderScript::Held>{});
        FrameTest::SetUp();
    }
    std::optional<VirtualReaderScript> reader_;
};

}  // namespace

TEST_F(FrameTest, AReaderWithoutTheVirtualFieldGetsNoMenuItemAndNoCalls) {
    EXPECT_FALSE(Offers(GetSubMenu(Menu(), 2)));
    connection.open = true;
    script.ClearLog();
    Command(ID_CARD_THR1064);
    Command(ID_VIRTUAL_CARDS);
    EXPECT_EQ(script.Log(), Calls{});
}

TEST_F(VirtualFieldFrameTest, AChosenCardTypePlacesItsCardsWhileTheReaderFollows) {
    HMENU set = GetSubMenu(Menu(), 2);
    ASSERT_TRUE(Offers(set));
    // Our item comes last, after the reader's own.
    EXPECT_EQ(GetMenuItemID(set, GetMenuItemCount(set) - 1), static_cast<UINT>(ID_VIRTUAL_CARDS));
    EXPECT_TRUE(SetMenuState(ID_VIRTUAL_CARDS) & MF_GRAYED);  // not connected

    // Not connected: the calls would reach no reader.
    Command(ID_CARD_THR1064);
    EXPECT_TRUE(reader_->placed.empty());

    frame->StartupConnect();
    EXPECT_FALSE(SetMenuState(ID_VIRTUAL_CARDS) & MF_GRAYED);
    ASSERT_EQ(reader_->placed.size(), 1u);
    EXPECT_EQ(reader_->placed.back(), (std::vector<uint8_t>{12}));  // the THR1064

    Command(ID_CARD_PASS_THROUGH);
    EXPECT_EQ(reader_->placed.back(), (std::vector<uint8_t>{11, 13}));  // type B card and I.CODE SLI
    Command(ID_CARD_SAM);
    EXPECT_EQ(reader_->placed.back(), std::vector<uint8_t>{});
    // The device page leaves the field as it is.
    Command(ID_PORT_SET);
    EXPECT_EQ(reader_->placed.size(), 3u);

    reader_->follows = false;
    Command(ID_CARD_AT24C16);
    EXPECT_EQ(reader_->placed.size(), 3u);
    // None of it is in the result log.
    EXPECT_EQ(frame->Log().Entries().size(), 1u);  // rf_init_com
}

namespace {

class VirtualCardsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        connection.open = true;
        dialog.emplace(field, services, 8);
        ASSERT_TRUE(dialog->CreateModeless(nullptr));
        list = dialog->Item(IDC_VC_LIST);
    }
    void TearDown() override {
        if (dialog && dialog->IsValid()) dialog->Destroy();
        PumpMessages();
    }
    std::wstring Cell(int row, int column) const {
        wchar_t text[64] = {};
        ListView_GetItemText(list, row, column, text, 64);
        return text;
    }
    bool Ticked(int row) const { return ListView_GetCheckState(list, row) != FALSE; }
    void Click(int id) { SendMessageW(*dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    ScriptedReader script;
    // Mifare 1K in the field, the SR176 aside, the AT24C64 in the slot.
    VirtualReaderScript reader{script,
                               {{3, true, {0xC2, 0x5E, 0x19, 0x7A}}, {9, false, {0x5A, 0x31}}, {25, true, {}}}};
    ReaderConnection connection;
    VirtualField field{script.library, connection};
    FakeServices services;
    std::optional<CVirtualCardsDialog> dialog;
    HWND list = nullptr;
};

}  // namespace

TEST_F(VirtualCardsDialogTest, ListsTheHeldCardsAndATickPlacesOrRemovesOne) {
    ASSERT_EQ(ListView_GetItemCount(list), 3);
    EXPECT_EQ(Cell(0, 0), L"Mifare 1K");
    EXPECT_EQ(Cell(0, 1), L"ISO 14443-A");
    EXPECT_EQ(Cell(0, 2), L"C25E197A");
    EXPECT_EQ(Cell(2, 0), L"AT24C64");
    EXPECT_EQ(Cell(2, 2), L"");
    EXPECT_TRUE(Ticked(0));
    EXPECT_FALSE(Ticked(1));
    EXPECT_TRUE(IsDlgButtonChecked(*dialog, IDC_VC_FOLLOW));
    EXPECT_FALSE(IsWindowEnabled(dialog->Item(IDC_VC_FACTORY)));
    EXPECT_TRUE(reader.placed.empty());

    ListView_SetCheckState(list, 1, TRUE);
    ASSERT_EQ(reader.placed.size(), 1u);
    EXPECT_EQ(reader.placed.back(), (std::vector<uint8_t>{3, 9, 25}));
    ListView_SetCheckState(list, 0, FALSE);
    EXPECT_EQ(reader.placed.back(), (std::vector<uint8_t>{9, 25}));
    EXPECT_FALSE(Ticked(0));

    // A refused change is reported, and the ticks show the reader's field.
    reader.placeStatus = 5;
    ListView_SetCheckState(list, 2, FALSE);
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_NE(services.boxes[0].text.find(L"status 5"), std::wstring::npos);
    EXPECT_TRUE(Ticked(2));
}

TEST_F(VirtualCardsDialogTest, FollowAndFactoryContents) {
    // Turned off, then on again: the card type's card goes alone into the field.
    CheckDlgButton(*dialog, IDC_VC_FOLLOW, BST_UNCHECKED);
    Click(IDC_VC_FOLLOW);
    EXPECT_FALSE(reader.follows);
    EXPECT_TRUE(reader.placed.empty());
    CheckDlgButton(*dialog, IDC_VC_FOLLOW, BST_CHECKED);
    Click(IDC_VC_FOLLOW);
    EXPECT_TRUE(reader.follows);
    ASSERT_EQ(reader.placed.size(), 1u);
    EXPECT_EQ(reader.placed.back(), std::vector<uint8_t>{12});  // the THR1064 of card type 8

    // A setting that cannot be kept leaves the box as it was.
    reader.setFollowStatus = 5;
    CheckDlgButton(*dialog, IDC_VC_FOLLOW, BST_UNCHECKED);
    Click(IDC_VC_FOLLOW);
    EXPECT_TRUE(IsDlgButtonChecked(*dialog, IDC_VC_FOLLOW));
    EXPECT_EQ(services.boxes.size(), 1u);

    ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(IsWindowEnabled(dialog->Item(IDC_VC_FACTORY)));
    services.boxAnswer = IDCANCEL;
    script.ClearLog();
    Click(IDC_VC_FACTORY);
    EXPECT_EQ(script.Log(), Calls{});
    EXPECT_NE(services.boxes.back().text.find(L"SR176"), std::wstring::npos);
    services.boxAnswer = IDOK;
    Click(IDC_VC_FACTORY);
    EXPECT_EQ(script.Log(), Calls{"VirtualCardFactoryReset(0, 9)"});
}
