// Every card family in the default field, with the real program and the real
// library: each panel, chosen from the menu, finds its own card with its
// first button and reads it; where the panel writes, what it wrote reads
// back, and again after the program was restarted.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <functional>
#include <string>
#include <vector>

#include "e2e/e2e_driver.h"
#include "e2e/e2e_environment.h"
#include "kelvar/cards/desfire_card.h"
#include "kelvar/cards/ntag203_tag.h"
#include "kelvar/cards/ultralight_c_tag.h"
#include "kelvar/cards/ultralight_tag.h"
#include "kelvar/reader/type_a_cards.h"
#include "vantrel/panels/contact/at24c_ids.h"
#include "vantrel/panels/contact/at88sc1608_ids.h"
#include "vantrel/panels/contact/cpu_card_ids.h"
#include "vantrel/panels/contact/sam_ids.h"
#include "vantrel/panels/iso14443a/mifare_ids.h"
#include "vantrel/panels/iso14443a/ntag203_ids.h"
#include "vantrel/panels/iso14443a/pass_through_ids.h"
#include "vantrel/panels/iso14443a/shc1102_ids.h"
#include "vantrel/panels/iso14443a/tcl_ids.h"
#include "vantrel/panels/iso14443a/ultralight_c_ids.h"
#include "vantrel/panels/iso14443a/ultralight_ids.h"
#include "vantrel/panels/iso14443b/at88rf020_ids.h"
#include "vantrel/panels/iso14443b/sr176_ids.h"
#include "vantrel/panels/iso14443b/srix4k_ids.h"
#include "vantrel/panels/iso14443b/thr1064_ids.h"
#include "vantrel/panels/iso15693/iso15693_ids.h"
#include "vantrel/panels/iso15693/sri64_ids.h"
#include "vantrel/panels/iso15693/vicinity_family_ids.h"
#include "vantrel/resources/resource.h"
#include "vantrel/toolkit/hex_text.h"

namespace {

using Story = std::function<void(VantrelProgram&)>;

// One panel of a family: its card type, the first button and the read
// (checking the panel's own card), and where it writes, the write and the
// check of what was written.
struct PanelStory {
    const char* name;
    int32_t code;
    unsigned menuId;
    Story findAndRead;
    Story write = {};
    Story readBack = {};
};

struct Family {
    const char* name;
    std::vector<PanelStory> panels;
};

// Presses `id`: the command must report no error.
void Press(VantrelProgram& app, int id) {
    ASSERT_TRUE(app.Click(id)) << id;
    EXPECT_FALSE(app.Status().starts_with(L"Error")) << "button " << id << ": " << app.Status();
}

// The hex digits of an editor's page, upper case.
std::wstring HexDigits(const std::wstring& text) {
    std::wstring digits;
    for (const wchar_t c : text) {
        if (std::iswxdigit(c)) digits += static_cast<wchar_t>(std::towupper(c));
    }
    return digits;
}

std::wstring LastAnswer(VantrelProgram& app, int list) {
    const auto items = app.ListTexts(list);
    return items.empty() ? L"<none>" : items.back();
}

// Sends `command` on a console panel and returns its answer.
std::wstring Send(VantrelProgram& app, int edit, int send, int list, const std::wstring& command) {
    EXPECT_TRUE(app.SetText(edit, command));
    Press(app, send);
    return LastAnswer(app, list);
}

std::wstring Ascii(const char* text) {
    std::wstring hex;
    for (const char* c = text; *c != '\0'; ++c) {
        const uint8_t byte = static_cast<uint8_t>(*c);
        hex += BytesToHex(&byte, 1);
    }
    return hex;
}

// A processor card's application: SELECT by name, then its free file.
struct ProcessorConsole {
    int edit, send, list;
    const wchar_t* selectApplication;

    std::wstring operator()(VantrelProgram& app, const std::wstring& command) const {
        return Send(app, edit, send, list, command);
    }
    void ReadLabel(VantrelProgram& app, const char* label) const {
        EXPECT_EQ((*this)(app, L"00A4000C023F00"), L"9000");
        // The label's first 24 bytes.
        EXPECT_EQ((*this)(app, L"00B0810018"), Ascii(label).substr(0, 48) + L"9000");
    }
    void Write(VantrelProgram& app) const {
        EXPECT_EQ((*this)(app, selectApplication), L"9000");
        EXPECT_EQ((*this)(app, L"00D6820004CAFEF00D"), L"9000");
        ReadBack(app, false);
    }
    void ReadBack(VantrelProgram& app, bool select = true) const {
        if (select) {
            EXPECT_EQ((*this)(app, selectApplication), L"9000");
        }
        EXPECT_EQ((*this)(app, L"00B0820004"), L"CAFEF00D9000");
    }
};

constexpr ProcessorConsole kCpuConsole{IDC_CPU_COMMAND, IDC_CPU_SEND, IDC_CPU_ANSWERS, L"00A4040C06F04B56030001"};
constexpr ProcessorConsole kProConsole{IDC_TCL_COMMAND, IDC_TCL_SEND, IDC_TCL_ANSWERS, L"00A4040C06F04B56010001"};
constexpr ProcessorConsole kTypeBConsole{IDC_TCL_COMMAND, IDC_TCL_SEND, IDC_TCL_ANSWERS, L"00A4040C06F04B56020001"};

// An ISO 15693 panel's inventory: its own tag alone, in the first slot.
void InventoryFinds(VantrelProgram& app, int inventory, int firstUid, int secondUid, const wchar_t* uid) {
    Press(app, inventory);
    EXPECT_EQ(app.Text(firstUid), uid);
    EXPECT_EQ(app.Text(secondUid), L"");
}

// Types `digits` at byte `byte` of row `row` of a page editor, then writes and reads.
void EditWriteAndRead(VantrelProgram& app, int editor, int bytesPerRow, int row, int byte, const std::wstring& digits,
                      int write, int read) {
    ASSERT_TRUE(app.Type(editor, (row * bytesPerRow + byte) * 3, digits));
    Press(app, write);
    Press(app, read);
}

std::wstring EditorBytes(VantrelProgram& app, int editor, int bytesPerRow, int row, int byte, size_t count) {
    return HexDigits(app.Text(editor)).substr(static_cast<size_t>((row * bytesPerRow + byte) * 2), count * 2);
}

// A memory card as it left the factory: no byte written (the AT24C64's
// write would show in its second row).
void MemoryCardReads(VantrelProgram& app) {
    Press(app, IDC_AT24_READ);
    EXPECT_EQ(EditorBytes(app, IDC_AT24_EDITOR, 16, 0, 0, 32), std::wstring(64, L'F'));
}

const Family kFamilies[] = {
    {"TypeATags",
     {
         {"UltraLight", 0, ID_CARD_ULTRALIGHT,
          [](VantrelProgram& app) {
              Press(app, IDC_UL_SEARCH);
              EXPECT_EQ(app.Text(IDC_UL_UID), BytesToHex(kelvar::UltralightTag::kDefaultUid));
              Press(app, IDC_UL_READ);
          }},
         {"UltraLightC", 28, ID_CARD_ULTRALIGHT_C,
          [](VantrelProgram& app) {
              Press(app, IDC_ULC_SEARCH);
              EXPECT_EQ(app.Text(IDC_ULC_UID), BytesToHex(kelvar::UltralightCTag::kDefaultUid));
              Press(app, IDC_ULC_READ);
          }},
         {"Ntag203", 29, ID_CARD_NTAG203,
          [](VantrelProgram& app) {
              Press(app, IDC_NT_SEARCH);
              EXPECT_EQ(app.Text(IDC_NT_UID), BytesToHex(kelvar::Ntag203Tag::kDefaultUid));
              Press(app, IDC_NT_READ);
          }},
         {"Mifare1K", 1, ID_CARD_MIFARE_1K,
          [](VantrelProgram& app) {
              Press(app, IDC_MF_SEARCH);
              EXPECT_EQ(app.Text(IDC_MF_UID), BytesToHex(kelvar::kMifare1KUid));
              ASSERT_TRUE(app.SetText(IDC_MF_KEY1, L"FFFFFFFFFFFF"));
              Press(app, IDC_MF_READ1);
              EXPECT_EQ(app.Text(IDC_MF_DATA1_0).substr(0, 8), BytesToHex(kelvar::kMifare1KUid));
          }},
         {"Mifare4K", 2, ID_CARD_MIFARE_4K,
          [](VantrelProgram& app) {
              Press(app, IDC_MF_SEARCH);
              EXPECT_EQ(app.Text(IDC_MF_UID), BytesToHex(kelvar::kMifare4KUid));
              ASSERT_TRUE(app.SetText(IDC_MF_KEY1, L"FFFFFFFFFFFF"));
              Press(app, IDC_MF_READ1);
          }},
         {"Shc1102", 21, ID_CARD_SHC1102,
          [](VantrelProgram& app) {
              Press(app, IDC_SHC_REQUEST);
              EXPECT_NE(app.Text(IDC_SHC_TAG_TYPE), L"");
              Press(app, IDC_SHC_READ);
              EXPECT_EQ(app.Text(IDC_SHC_BLOCK0), L"8E521C6B");
          },
          [](VantrelProgram& app) {
              ASSERT_TRUE(app.SetText(IDC_SHC_PASSWORD, L"FFFFFFFF"));
              ASSERT_TRUE(app.Select(IDC_SHC_BLOCK_LIST, 1));  // block 3
              ASSERT_TRUE(app.SetText(IDC_SHC_BLOCK3, L"11223344"));
              Press(app, IDC_SHC_WRITE);
              Press(app, IDC_SHC_READ);
              EXPECT_EQ(app.Text(IDC_SHC_BLOCK3), L"11223344");
          },
          [](VantrelProgram& app) { EXPECT_EQ(app.Text(IDC_SHC_BLOCK3), L"11223344"); }},
     }},
    {"TypeBTags",
     {
         {"AT88RF020", 3, ID_CARD_AT88RF020,
          [](VantrelProgram& app) {
              Press(app, IDC_AT020_REQB);
              EXPECT_EQ(app.Text(IDC_AT020_PUPI), L"8E204A13");
              Press(app, IDC_AT020_READ);
              EXPECT_EQ(app.Text(IDC_AT020_PAGE0_LOW), L"8E204A13");
          },
          [](VantrelProgram& app) {
              ASSERT_TRUE(app.SetText(IDC_AT020_PASSWORD, L"FFFFFFFFFFFFFFFF"));
              Press(app, IDC_AT020_CHECK);
              ASSERT_TRUE(app.Select(IDC_AT020_PAGE_LIST, 3));  // page 5
              ASSERT_TRUE(app.SetText(IDC_AT020_PAGE1_HIGH + 5, L"0102030405060708"));
              Press(app, IDC_AT020_WRITE);
              Press(app, IDC_AT020_READ);
              EXPECT_EQ(app.Text(IDC_AT020_PAGE1_HIGH + 5), L"0102030405060708");
          },
          [](VantrelProgram& app) { EXPECT_EQ(app.Text(IDC_AT020_PAGE1_HIGH + 5), L"0102030405060708"); }},
         {"SR176", 4, ID_CARD_SR176,
          [](VantrelProgram& app) {
              Press(app, IDC_SR176_REQUEST);
              EXPECT_EQ(app.Text(IDC_SR176_CHIP_ID), L"06");
              Press(app, IDC_SR176_READ);
              EXPECT_EQ(app.Text(IDC_SR176_BLOCK0), L"5A31");
          },
          [](VantrelProgram& app) {
              ASSERT_TRUE(app.SetText(IDC_SR176_BLOCK4, L"1234"));  // the list's first block
              Press(app, IDC_SR176_WRITE);
              Press(app, IDC_SR176_READ);
              EXPECT_EQ(app.Text(IDC_SR176_BLOCK4), L"1234");
          },
          [](VantrelProgram& app) { EXPECT_EQ(app.Text(IDC_SR176_BLOCK4), L"1234"); }},
         {"SRIX4K", 5, ID_CARD_SRIX4K,
          [](VantrelProgram& app) {
              Press(app, IDC_SRIX_REQUEST);
              EXPECT_EQ(app.Text(IDC_SRIX_CHIP_ID).size(), 2u);
              Press(app, IDC_SRIX_READ_UID);
              EXPECT_EQ(app.Text(IDC_SRIX_UID), L"39A4611C5B0C02D0");
              Press(app, IDC_SRIX_READ);
              EXPECT_EQ(app.Text(IDC_SRIX_BLOCK0).size(), 8u);
          },
          // The block editor starts on block 0, whose one-time bits a write only clears.
          [](VantrelProgram& app) {
              ASSERT_TRUE(app.Select(IDC_SRIX_BLOCK_LIST, 0));
              ASSERT_TRUE(app.SetText(IDC_SRIX_BLOCK0, L"0F0F0F0F"));
              Press(app, IDC_SRIX_WRITE);
              ASSERT_TRUE(app.SetText(IDC_SRIX_BLOCK0, L""));
              Press(app, IDC_SRIX_READ);
              EXPECT_EQ(app.Text(IDC_SRIX_BLOCK0), L"0F0F0F0F");
          },
          [](VantrelProgram& app) { EXPECT_EQ(app.Text(IDC_SRIX_BLOCK0), L"0F0F0F0F"); }},
         {"THR1064", 8, ID_CARD_THR1064,
          [](VantrelProgram& app) {
              Press(app, IDC_THR_SEARCH);
              EXPECT_EQ(app.Text(IDC_THR_SERIAL), L"5054481064000000");
              ASSERT_TRUE(app.Select(IDC_THR_PAGE_LIST, 0));
              Press(app, IDC_THR_READ);
              EXPECT_EQ(app.Text(IDC_THR_PAGE0), L"544810643A950C00");
          },
          [](VantrelProgram& app) {
              ASSERT_TRUE(app.Select(IDC_THR_PAGE_LIST, 3));
              ASSERT_TRUE(app.SetText(IDC_THR_PAGE3, L"0102030405060708"));
              Press(app, IDC_THR_WRITE);
              ASSERT_TRUE(app.SetText(IDC_THR_PAGE3, L""));
              Press(app, IDC_THR_READ);
              EXPECT_EQ(app.Text(IDC_THR_PAGE3), L"0102030405060708");
          },
          [](VantrelProgram& app) {
              ASSERT_TRUE(app.Select(IDC_THR_PAGE_LIST, 3));
              Press(app, IDC_THR_READ);
              EXPECT_EQ(app.Text(IDC_THR_PAGE3), L"0102030405060708");
          }},
     }},
    {"Vicinity",
     {
         {"ICodeSli", 10, ID_CARD_ICODE_SLI,
          [](VantrelProgram& app) {
              InventoryFinds(app, IDC_ISO15693_INVENTORY, IDC_ISO15693_UID1, IDC_ISO15693_UID2, L"3B6E9215080104E0");
              Press(app, IDC_ISO15693_READ);
          },
          [](VantrelProgram& app) {
              EditWriteAndRead(app, IDC_ISO15693_EDITOR, 4, 1, 0, L"a5", IDC_ISO15693_WRITE, IDC_ISO15693_READ);
              EXPECT_EQ(EditorBytes(app, IDC_ISO15693_EDITOR, 4, 1, 0, 1), L"A5");
          },
          [](VantrelProgram& app) { EXPECT_EQ(EditorBytes(app, IDC_ISO15693_EDITOR, 4, 1, 0, 1), L"A5"); }},
         {"TagIt", 9, ID_CARD_TAG_IT,
          [](VantrelProgram& app) {
              InventoryFinds(app, IDC_ISO15693_INVENTORY, IDC_ISO15693_UID1, IDC_ISO15693_UID2, L"5D40A327000007E0");
              Press(app, IDC_ISO15693_READ);
          },
          [](VantrelProgram& app) {
              EditWriteAndRead(app, IDC_ISO15693_EDITOR, 4, 2, 1, L"5b", IDC_ISO15693_WRITE, IDC_ISO15693_READ);
              EXPECT_EQ(EditorBytes(app, IDC_ISO15693_EDITOR, 4, 2, 1, 1), L"5B");
          },
          [](VantrelProgram& app) { EXPECT_EQ(EditorBytes(app, IDC_ISO15693_EDITOR, 4, 2, 1, 1), L"5B"); }},
         {"SRF55V01P", 26, ID_CARD_SRF55V01P,
          [](VantrelProgram& app) {
              InventoryFinds(app, IDC_VF_INVENTORY, IDC_VF_UID1, IDC_VF_UID2, L"712C4E09310005E0");
              Press(app, IDC_VF_READ);
          },
          // Byte 3 of block 16 goes in the tag's own raw frame.
          [](VantrelProgram& app) {
              EditWriteAndRead(app, IDC_VF_EDITOR, 4, 16, 3, L"5a", IDC_VF_WRITE, IDC_VF_READ);
              EXPECT_EQ(EditorBytes(app, IDC_VF_EDITOR, 4, 16, 0, 4), L"0000005A");
          },
          [](VantrelProgram& app) { EXPECT_EQ(EditorBytes(app, IDC_VF_EDITOR, 4, 16, 0, 4), L"0000005A"); }},
         {"SRF55V02P", 22, ID_CARD_SRF55V02P,
          [](VantrelProgram& app) {
              InventoryFinds(app, IDC_VF_INVENTORY, IDC_VF_UID1, IDC_VF_UID2, L"18A63D52320005E0");
              Press(app, IDC_VF_READ);
          },
          [](VantrelProgram& app) {
              EditWriteAndRead(app, IDC_VF_EDITOR, 8, 3, 7, L"c3", IDC_VF_WRITE, IDC_VF_READ);
              EXPECT_EQ(EditorBytes(app, IDC_VF_EDITOR, 8, 3, 7, 1), L"C3");
          },
          [](VantrelProgram& app) { EXPECT_EQ(EditorBytes(app, IDC_VF_EDITOR, 8, 3, 7, 1), L"C3"); }},
         {"SRF55V10P", 23, ID_CARD_SRF55V10P,
          [](VantrelProgram& app) {
              InventoryFinds(app, IDC_VF_INVENTORY, IDC_VF_UID1, IDC_VF_UID2, L"940B7F66330005E0");
              Press(app, IDC_VF_READ);
          }},
         {"SRI64", 27, ID_CARD_SRI64,
          [](VantrelProgram& app) {
              InventoryFinds(app, IDC_VF_INVENTORY, IDC_VF_UID1, IDC_VF_UID2, L"3E815C200A0002E0");
              Press(app, IDC_VF_READ);
              EXPECT_EQ(app.Text(IDC_SRI64_DATA0 + 13), L"00");
          },
          [](VantrelProgram& app) {
              ASSERT_TRUE(app.Type(IDC_SRI64_DATA0 + 10, -1, L"5A"));
              Press(app, IDC_VF_WRITE);
              Press(app, IDC_VF_READ);
              EXPECT_EQ(app.Text(IDC_SRI64_DATA0 + 10), L"5A");
          },
          [](VantrelProgram& app) { EXPECT_EQ(app.Text(IDC_SRI64_DATA0 + 10), L"5A"); }},
     }},
    {"Contact",
     {
         {"AT24C64", 19, ID_CARD_AT24C64,
          [](VantrelProgram& app) {
              Press(app, IDC_AT24_READ);
              EXPECT_EQ(EditorBytes(app, IDC_AT24_EDITOR, 16, 0, 0, 16), std::wstring(32, L'F'));
          },
          [](VantrelProgram& app) {
              EditWriteAndRead(app, IDC_AT24_EDITOR, 16, 1, 2, L"a5", IDC_AT24_WRITE, IDC_AT24_READ);
              EXPECT_EQ(EditorBytes(app, IDC_AT24_EDITOR, 16, 1, 0, 4), L"FFFFA5FF");
          },
          [](VantrelProgram& app) { EXPECT_EQ(EditorBytes(app, IDC_AT24_EDITOR, 16, 1, 0, 4), L"FFFFA5FF"); }},
         // The smaller memory cards, each the panel's own size.
         {"AT24C01", 13, ID_CARD_AT24C01, MemoryCardReads},
         {"AT24C02", 14, ID_CARD_AT24C02, MemoryCardReads},
         {"AT24C04", 15, ID_CARD_AT24C04, MemoryCardReads},
         {"AT24C08", 16, ID_CARD_AT24C08, MemoryCardReads},
         {"AT24C16", 17, ID_CARD_AT24C16, MemoryCardReads},
         {"AT24C32", 18, ID_CARD_AT24C32, MemoryCardReads},
         {"AT88SC1608", 20, ID_CARD_AT88SC1608,
          [](VantrelProgram& app) {
              Press(app, IDC_SC1608_RESET);
              EXPECT_EQ(app.Text(IDC_SC1608_ANSWER), L"3BB21100");
              ASSERT_TRUE(app.SetText(IDC_SC1608_PASSWORD, L"A0A0A0"));
              Press(app, IDC_SC1608_USER_READ);
          },
          [](VantrelProgram& app) {
              EditWriteAndRead(app, IDC_SC1608_USER_EDITOR, 16, 0, 0, L"5a", IDC_SC1608_USER_WRITE,
                               IDC_SC1608_USER_READ);
              EXPECT_EQ(EditorBytes(app, IDC_SC1608_USER_EDITOR, 16, 0, 0, 1), L"5A");
          },
          [](VantrelProgram& app) { EXPECT_EQ(EditorBytes(app, IDC_SC1608_USER_EDITOR, 16, 0, 0, 1), L"5A"); }},
         {"CpuCard", 12, ID_CARD_CPU,
          [](VantrelProgram& app) {
              Press(app, IDC_CPU_RESET);
              EXPECT_EQ(app.Text(IDC_CPU_RST_INFO), L"3B6800004B562D4350553031");
              kCpuConsole.ReadLabel(app, "KV PROCESSOR CARD CONTACT");
          },
          [](VantrelProgram& app) { kCpuConsole.Write(app); },
          [](VantrelProgram& app) { kCpuConsole.ReadBack(app); }},
         {"Sam", 11, ID_CARD_SAM,
          [](VantrelProgram& app) {
              Press(app, IDC_SAM_RESET);
              EXPECT_EQ(app.Text(IDC_SAM_RST_INFO).substr(0, 6), L"3B1911");
              EXPECT_EQ(Send(app, IDC_SAM_COMMAND, IDC_SAM_SEND, IDC_SAM_ANSWERS, L"00880000080011223344556677"),
                        L"6260E7C6A3E3376E9000");
          }},
     }},
    {"IsoDep",
     {
         {"MifarePro", 6, ID_CARD_MIFARE_PRO,
          [](VantrelProgram& app) {
              Press(app, IDC_TCL_RESET);
              EXPECT_EQ(app.Text(IDC_TCL_CSN), L"3E915CA7");
              kProConsole.ReadLabel(app, "KV PROCESSOR CARD TYPE A");
          },
          [](VantrelProgram& app) { kProConsole.Write(app); },
          [](VantrelProgram& app) { kProConsole.ReadBack(app); }},
         {"SmartCard", 7, ID_CARD_SMARTCARD,
          [](VantrelProgram& app) {
              Press(app, IDC_TCL_RESET);
              EXPECT_EQ(app.Text(IDC_TCL_PUPI), L"6B2FD019");
              kTypeBConsole.ReadLabel(app, "KV PROCESSOR CARD TYPE B");
          },
          [](VantrelProgram& app) { kTypeBConsole.Write(app); },
          [](VantrelProgram& app) { kTypeBConsole.ReadBack(app); }},
         {"DESFire", 24, ID_CARD_DESFIRE,
          [](VantrelProgram& app) {
              Press(app, IDC_TCL_RESET);
              EXPECT_EQ(app.Text(IDC_TCL_CSN), BytesToHex(kelvar::DesfireCard::kDefaultUid));
              EXPECT_EQ(Send(app, IDC_TCL_COMMAND, IDC_TCL_SEND, IDC_TCL_ANSWERS, L"6A"), L"0001564B02564B");
          }},
     }},
    // Frames typed without their CRC: the reader adds it.
    {"PassThrough",
     {
         {"PassThrough", 25, ID_CARD_PASS_THROUGH,
          [](VantrelProgram& app) {
              Press(app, IDC_PASS_SET);
              EXPECT_EQ(Send(app, IDC_PASS_DATA, IDC_PASS_TRANSCEIVE, IDC_PASS_ANSWERS, L"050000"),
                        L"506B2FD01900000000008171");
              ASSERT_TRUE(app.Click(IDC_PASS_ISO15693));
              Press(app, IDC_PASS_SET);
              EXPECT_EQ(Send(app, IDC_PASS_DATA, IDC_PASS_TRANSCEIVE, IDC_PASS_ANSWERS, L"260100"),
                        L"00003B6E9215080104E0");
          }},
     }},
};

class FamilyStory : public ::testing::TestWithParam<Family> {};

}  // namespace

TEST_P(FamilyStory, EachPanelFindsReadsAndWritesItsOwnCardAndTheWritesOutliveTheProgram) {
    const Family& family = GetParam();
    E2eEnvironment env(std::nullopt);
    ASSERT_TRUE(env.Ready());
    const auto visit = [&](VantrelProgram& app, bool restarted) {
        bool first = true;
        for (const PanelStory& panel : family.panels) {
            SCOPED_TRACE(panel.name);
            if (!first) {
                ASSERT_TRUE(app.Menu(panel.menuId));
            }
            first = false;
            panel.findAndRead(app);
            if (restarted && panel.readBack) panel.readBack(app);
            if (!restarted && panel.write) panel.write(app);
        }
        EXPECT_TRUE(app.MessageBoxes().empty()) << app.MessageBoxes().front();
    };
    {
        VantrelProgram app;
        ASSERT_TRUE(app.Start(family.panels.front().code));
        visit(app, false);
        ASSERT_TRUE(app.Close());
    }
    if (std::none_of(family.panels.begin(), family.panels.end(), [](const PanelStory& p) { return bool(p.write); })) {
        return;
    }
    VantrelProgram app;
    ASSERT_TRUE(app.Start(family.panels.front().code));
    visit(app, true);
    EXPECT_TRUE(app.Close());
}

INSTANTIATE_TEST_SUITE_P(Families, FamilyStory, ::testing::ValuesIn(kFamilies),
                         [](const auto& info) { return std::string(info.param.name); });

// The operator keeps several tags of one family on the reader: the panels
// meet them as several tags, and a raw request hears them all at once.
TEST(SeveralTagsStory, TagsOfOneFamilyTogetherFillTheInventoryAndCollideOnARawRequest) {
    E2eEnvironment env("icodesli, tagit, srf55v02p, srf55v10p, srf55v01p, sri64, smartcardb, thr1064", false);
    ASSERT_TRUE(env.Ready());
    VantrelProgram app;
    ASSERT_TRUE(app.Start(10));
    // Six tags, four slots, in the field's order.
    Press(app, IDC_ISO15693_INVENTORY);
    EXPECT_EQ(app.Text(IDC_ISO15693_UID1), L"3B6E9215080104E0");
    EXPECT_EQ(app.Text(IDC_ISO15693_UID2), L"5D40A327000007E0");
    EXPECT_EQ(app.Text(IDC_ISO15693_UID3), L"18A63D52320005E0");
    EXPECT_EQ(app.Text(IDC_ISO15693_UID4), L"940B7F66330005E0");
    // The Tag-it in the second slot, read as the Tag_it card type.
    ASSERT_TRUE(app.Menu(ID_CARD_TAG_IT));
    Press(app, IDC_ISO15693_INVENTORY);
    ASSERT_TRUE(app.Click(IDC_ISO15693_SLOT2));
    Press(app, IDC_ISO15693_READ);

    ASSERT_TRUE(app.Menu(ID_CARD_PASS_THROUGH));
    Press(app, IDC_PASS_SET);
    ASSERT_TRUE(app.SetText(IDC_PASS_DATA, L"050000"));
    ASSERT_TRUE(app.Click(IDC_PASS_TRANSCEIVE));
    EXPECT_TRUE(app.StatusReports(L"Error: 18", L"rf_transceive1")) << app.Status();
    ASSERT_TRUE(app.Click(IDC_PASS_ISO15693));
    Press(app, IDC_PASS_SET);
    ASSERT_TRUE(app.SetText(IDC_PASS_DATA, L"260100"));
    ASSERT_TRUE(app.Click(IDC_PASS_TRANSCEIVE));
    EXPECT_TRUE(app.StatusReports(L"Error: 18", L"rf_transceive1")) << app.Status();
    // A mask of the first UID byte leaves one tag to answer.
    EXPECT_EQ(Send(app, IDC_PASS_DATA, IDC_PASS_TRANSCEIVE, IDC_PASS_ANSWERS, L"2601085D"),
              L"00005D40A327000007E0");
    EXPECT_TRUE(app.MessageBoxes().empty());
    EXPECT_TRUE(app.Close());
}
