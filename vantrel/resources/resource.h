// Resource and control ids of the shell. Each panel has its own header.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Menus, bitmaps, icon
#define IDR_MAINFRAME 129
#define IDB_SPLASH 155
#define IDI_VANTREL 128

// Dialog bar (template and control id 152)
#define IDD_DIALOG_BAR 152
#define IDC_BAR_ADDRESS_LABEL 1227
#define IDC_BAR_PORT_LABEL 1228
#define IDC_BAR_CARD_LABEL 1231
#define IDC_BAR_MEMO_LABEL 1232
#define IDC_BAR_ADDRESS 1180
#define IDC_BAR_PORT 1181
#define IDC_BAR_CARD 1182
#define IDC_BAR_MEMO 1183

// Menu commands: card types
#define ID_CARD_ULTRALIGHT 32787
#define ID_CARD_MIFARE_1K 32774
#define ID_CARD_MIFARE_4K 32810
#define ID_CARD_AT88RF020 32776
#define ID_CARD_SR176 32788
#define ID_CARD_SRIX4K 32789
#define ID_CARD_MIFARE_PRO 32786
#define ID_CARD_SMARTCARD 32811
#define ID_CARD_THR1064 32815
#define ID_CARD_TAG_IT 32790
#define ID_CARD_ICODE_SLI 32812
#define ID_CARD_SAM 32780
#define ID_CARD_CPU 32792
#define ID_CARD_AT24C01 32793
#define ID_CARD_AT24C02 32794
#define ID_CARD_AT24C04 32795
#define ID_CARD_AT24C08 32796
#define ID_CARD_AT24C16 32797
#define ID_CARD_AT24C32 32798
#define ID_CARD_AT24C64 32799
#define ID_CARD_AT88SC1608 32800
#define ID_CARD_SHC1102 32802
#define ID_CARD_SRF55V02P 32804
#define ID_CARD_SRF55V10P 32805
#define ID_CARD_DESFIRE 32813
#define ID_CARD_PASS_THROUGH 32814
#define ID_CARD_SRF55V01P 32818
#define ID_CARD_SRI64 32817
#define ID_CARD_ULTRALIGHT_C 32819
#define ID_CARD_NTAG203 32820

// Menu commands: Set and Help
#define ID_PORT_SET 32781
#define ID_DISCONNECT 32783
#define ID_CONNECT 32784
#define ID_SET_BACKGROUND 32801
#define ID_HELP_TOPIC 32803
#define ID_APP_EXIT 57665
#define ID_APP_ABOUT 57664

// About box (template 100)
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_VERSION 1097
#define IDC_ABOUT_MAKER 1098
#define IDC_ABOUT_HTTP 1099
#define IDC_ABOUT_COPYRIGHT 1100

// Background choice dialog (template 153)
#define IDD_BACKGROUND 153
#define IDC_BACKGROUND_LIST 1062
#define IDC_BACKGROUND_PREVIEW 312

// Menu command and dialog of our own (not in the reader's menus): the
// virtual reader's cards. The item is added to the Set menu at run time.
#define ID_VIRTUAL_CARDS 33000
#define IDD_VIRTUAL_CARDS 170
#define IDC_VC_INTRO 1300
#define IDC_VC_LIST 1301
#define IDC_VC_FOLLOW 1302
#define IDC_VC_FACTORY 1303
#define IDC_VC_FOLLOW_NOTE 1304
