#include "tools/bench/host/main_commands.h"

#include <map>

#include "vantrel/panels/connection/device_page_ids.h"
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
#include "vantrel/panels/iso15693/vicinity_family_ids.h"
#include "vantrel/shell/program_settings.h"

namespace {

using enum CommandStep::Kind;

constexpr wchar_t kTransportKey[] = L"FFFFFFFFFFFF";
constexpr wchar_t kBlock[] = L"00112233445566778899AABBCCDDEEFF";
constexpr wchar_t kPage[] = L"01020304";

constexpr wchar_t kShcPassword[] = L"FFFFFFFF";

// The SRF55V, SRF55V01P and SRI64 panels: inventory, then the whole tag read
// from the UID slot where the inventory puts the panel's tag.
std::vector<PanelCommand> VicinityCommands(int slot, int uidField, const wchar_t* uid) {
    return {
        {L"inventory", {{Press, IDC_VF_INVENTORY}, {Expect, uidField, uid}}},
        {L"read the tag", {{Press, IDC_VF_INVENTORY}, {Choose, slot}, {Press, IDC_VF_READ}}},
    };
}

// The ISO 15693 panel, on the tag in `slot`: the block written is the second.
std::vector<PanelCommand> Iso15693Commands(int slot, int uidField, const wchar_t* uid) {
    return {
        {L"inventory", {{Press, IDC_ISO15693_INVENTORY}, {Expect, uidField, uid}}},
        {L"get information", {{Press, IDC_ISO15693_INVENTORY}, {Choose, slot}, {Press, IDC_ISO15693_GET_INFO}}},
        {L"read all blocks", {{Press, IDC_ISO15693_INVENTORY}, {Choose, slot}, {Press, IDC_ISO15693_READ}}},
        {L"write block 1",
         {{Press, IDC_ISO15693_INVENTORY},
          {Choose, slot},
          {Press, IDC_ISO15693_READ},
          {Type, IDC_ISO15693_EDITOR, L"11223344", 12},
          {Press, IDC_ISO15693_WRITE}}},
    };
}

// The T=CL panel: a reset, then the ISO 7816-4 application `select` and a
// read of its first file; DESFire answers its own commands instead.
std::vector<PanelCommand> TclCommands(const wchar_t* select) {
    const CommandStep reset{Press, IDC_TCL_RESET};
    const CommandStep selectApplication{SetText, IDC_TCL_COMMAND, select};
    const CommandStep send{Press, IDC_TCL_SEND};
    const CommandStep answered{Expect, IDC_TCL_ANSWERS, L"*9000"};
    return {
        {L"reset", {reset}},
        {L"select the application", {reset, selectApplication, send, answered}},
        {L"read binary, 16 bytes",
         {reset, selectApplication, send, {SetText, IDC_TCL_COMMAND, L"00B0810010"}, send, answered}},
    };
}

std::vector<PanelCommand> DesfireCommands() {
    const CommandStep reset{Press, IDC_TCL_RESET};
    const CommandStep send{Press, IDC_TCL_SEND};
    const CommandStep nextFrame{SetText, IDC_TCL_COMMAND, L"AF"};
    return {
        {L"reset", {reset}},
        {L"get version, first frame",
         {reset, {SetText, IDC_TCL_COMMAND, L"60"}, send, {Expect, IDC_TCL_ANSWERS, L"AF*"}}},
        {L"get version, last frame",
         {reset, {SetText, IDC_TCL_COMMAND, L"60"}, send, nextFrame, send, nextFrame, send,
          {Expect, IDC_TCL_ANSWERS, L"00*"}}},
    };
}

std::vector<PanelCommand> At24cCommands(bool write) {
    std::vector<PanelCommand> commands = {{L"read card", {{Press, IDC_AT24_READ}}}};
    if (write) {
        commands.push_back({L"write 16 bytes at 0000",
                            {{Press, IDC_AT24_READ},
                             {Type, IDC_AT24_EDITOR, L"00112233445566778899AABBCCDDEEFF", 0},
                             {Press, IDC_AT24_WRITE}}});
    }
    return commands;
}

// The page panels share one shape; only their ids differ.
std::vector<PanelCommand> PageCommands(int search, int read, int pageList, int write, int page4) {
    return {
        {L"search", {{Press, search}}},
        {L"read all pages", {{Press, search}, {Press, read}}},
        {L"write page 4", {{Press, search}, {Pick, pageList, L"4"}, {SetText, page4, kPage}, {Press, write}}},
    };
}

const std::map<int32_t, std::vector<PanelCommand>>& Table() {
    static const std::map<int32_t, std::vector<PanelCommand>> table = {
        {kDevicePageCode,
         {
             {L"connect to the virtual reader", {{Address, IDC_DEV_ADDRESS, L"0.0.0.0"}, {Press, IDC_DEV_CONNECT}}},
             {L"model and version", {{Press, IDC_DEV_GET_INFO}}},
             {L"beep", {{SetText, IDC_DEV_BEEP_TIME, L"0A"}, {Press, IDC_DEV_BEEP_SEND}}},
             {L"read clock", {{Press, IDC_DEV_CLOCK_READ}}},
         }},
        {0, PageCommands(IDC_UL_SEARCH, IDC_UL_READ, IDC_UL_PAGE_LIST, IDC_UL_WRITE, IDC_UL_PAGE4)},
        {1,
         {
             {L"search", {{Press, IDC_MF_SEARCH}}},
             {L"read sector 1",
              {{Pick, IDC_MF_SECTOR1, L"1"}, {SetText, IDC_MF_KEY1, kTransportKey}, {Press, IDC_MF_READ1}}},
             {L"write sector 1 block 1",
              {{Pick, IDC_MF_SECTOR1, L"1"},
               {Pick, IDC_MF_BLOCK1, L"1"},
               {SetText, IDC_MF_KEY1, kTransportKey},
               {SetText, IDC_MF_DATA1_1, kBlock},
               {Press, IDC_MF_WRITE1}}},
         }},
        {2,
         {
             {L"search", {{Press, IDC_MF_SEARCH}}},
             {L"read sector 39 (16 blocks)",
              {{Pick, IDC_MF_SECTOR2, L"39"}, {SetText, IDC_MF_KEY2, kTransportKey}, {Press, IDC_MF_READ2}}},
         }},
        {3,
         {
             {L"search", {{Press, IDC_AT020_REQB}}},
             {L"read all pages", {{Press, IDC_AT020_REQB}, {Press, IDC_AT020_READ}}},
             {L"check and write page 5",
              {{Press, IDC_AT020_REQB},
               {SetText, IDC_AT020_PASSWORD, L"FFFFFFFFFFFFFFFF"},
               {Press, IDC_AT020_CHECK},
               {Pick, IDC_AT020_PAGE_LIST, L"5"},
               {SetText, IDC_AT020_PAGE3 + 2, L"0102030405060708"},
               {Press, IDC_AT020_WRITE}}},
         }},
        {4,
         {
             {L"search", {{Press, IDC_SR176_REQUEST}}},
             {L"read all blocks", {{Press, IDC_SR176_REQUEST}, {Press, IDC_SR176_READ}}},
             {L"write block 4",
              {{Press, IDC_SR176_REQUEST}, {Pick, IDC_SR176_BLOCK_LIST, L"4"}, {SetText, IDC_SR176_BLOCK4, L"0102"},
               {Press, IDC_SR176_WRITE}}},
         }},
        {5,
         {
             {L"search", {{Press, IDC_SRIX_REQUEST}}},
             {L"read UID", {{Press, IDC_SRIX_REQUEST}, {Press, IDC_SRIX_READ_UID}}},
             // Block 100 as read back: its edit only exists while it is edited.
             {L"write block 100",
              {{Press, IDC_SRIX_REQUEST}, {Press, IDC_SRIX_READ}, {Pick, IDC_SRIX_BLOCK_LIST, L"100"},
               {Press, IDC_SRIX_WRITE}}},
         }},
        {8,
         {
             {L"search", {{Press, IDC_THR_SEARCH}}},
             {L"read page 0", {{Press, IDC_THR_SEARCH}, {Pick, IDC_THR_PAGE_LIST, L"Page0"}, {Press, IDC_THR_READ}}},
             {L"read page 1", {{Press, IDC_THR_SEARCH}, {Pick, IDC_THR_PAGE_LIST, L"Page1"}, {Press, IDC_THR_READ}}},
         }},
        {20,
         {
             {L"reset", {{Press, IDC_SC1608_RESET}}},
             {L"read the configuration zone",
              {{SetText, IDC_SC1608_SECURE_CODE, L"A7A7A7"}, {Press, IDC_SC1608_CONFIG_READ}}},
             {L"read user zone 0", {{SetText, IDC_SC1608_PASSWORD, L"A0A0A0"}, {Press, IDC_SC1608_USER_READ}}},
         }},
        {11,
         {
             {L"DES encrypt, 16-byte key",
              {{SetText, IDC_SAM_KEY1, L"4041424344454647"},
               {SetText, IDC_SAM_KEY2, L"48494A4B4C4D4E4F"},
               {SetText, IDC_SAM_INPUT, kBlock},
               {Press, IDC_SAM_ENCRYPT}}},
             {L"reset", {{Press, IDC_SAM_RESET}}},
             {L"get challenge", {{Press, IDC_SAM_RESET}, {SetText, IDC_SAM_COMMAND, L"0084000008"}, {Press, IDC_SAM_SEND}}},
         }},
        {12,
         {
             {L"reset", {{Press, IDC_CPU_RESET}}},
             {L"get challenge", {{Press, IDC_CPU_RESET}, {SetText, IDC_CPU_COMMAND, L"0084000008"}, {Press, IDC_CPU_SEND}}},
         }},
        {25,
         {
             {L"type B request", {{Choose, IDC_PASS_ISO14443B}, {Press, IDC_PASS_SET}, {SetText, IDC_PASS_DATA, L"050000"},
                                  {Press, IDC_PASS_TRANSCEIVE}, {Expect, IDC_PASS_ANSWERS, L"50*"}}},
             {L"ISO 15693 inventory", {{Choose, IDC_PASS_ISO15693}, {Press, IDC_PASS_SET}, {SetText, IDC_PASS_DATA, L"2601083B"},
                                       {Press, IDC_PASS_TRANSCEIVE}, {Expect, IDC_PASS_ANSWERS, L"00003B*"}}},
         }},
        {21,
         {
             {L"request", {{Press, IDC_SHC_REQUEST}}},
             {L"read 16 blocks", {{SetText, IDC_SHC_PASSWORD, kShcPassword}, {Press, IDC_SHC_READ}}},
             {L"write block 5",
              {{Pick, IDC_SHC_BLOCK_LIST, L"5"},
               {SetText, IDC_SHC_BLOCK5, kPage},
               {SetText, IDC_SHC_PASSWORD, kShcPassword},
               {Press, IDC_SHC_WRITE}}},
         }},
        // The field follows the card type: each panel's own tag alone, in slot 1.
        {9, Iso15693Commands(IDC_ISO15693_SLOT1, IDC_ISO15693_UID1, L"5D40A327000007E0")},
        {10, Iso15693Commands(IDC_ISO15693_SLOT1, IDC_ISO15693_UID1, L"3B6E9215080104E0")},
        {22, VicinityCommands(IDC_VF_SLOT1, IDC_VF_UID1, L"18A63D52320005E0")},
        {23, VicinityCommands(IDC_VF_SLOT1, IDC_VF_UID1, L"940B7F66330005E0")},
        {26, VicinityCommands(IDC_VF_SLOT1, IDC_VF_UID1, L"712C4E09310005E0")},
        {27, VicinityCommands(IDC_VF_SLOT1, IDC_VF_UID1, L"3E815C200A0002E0")},
        {6, TclCommands(L"00A4040006F04B5601000100")},
        {7, TclCommands(L"00A4040006F04B5602000100")},
        {24, DesfireCommands()},
        {13, At24cCommands(false)},
        {14, At24cCommands(false)},
        {15, At24cCommands(false)},
        {16, At24cCommands(false)},
        {17, At24cCommands(false)},
        {18, At24cCommands(false)},
        {19, At24cCommands(true)},
        {28, PageCommands(IDC_ULC_SEARCH, IDC_ULC_READ, IDC_ULC_PAGE_LIST, IDC_ULC_WRITE, IDC_ULC_PAGE4)},
        {29, PageCommands(IDC_NT_SEARCH, IDC_NT_READ, IDC_NT_PAGE_LIST, IDC_NT_WRITE, IDC_NT_PAGE4)},
    };
    return table;
}

}  // namespace

std::span<const PanelCommand> MainCommands(int32_t code) {
    const auto found = Table().find(code);
    if (found == Table().end()) return {};
    return found->second;
}
