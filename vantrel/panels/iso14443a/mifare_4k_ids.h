// Template and control ids of the Mifare Classic 4K panel.
#pragma once

#include "vantrel/panels/iso14443a/mifare_shared_ids.h"

#define IDD_MIFARE_4K 157

// 4K only: ReqIDL, Halt, the hex value label and the large window's 15 data
// blocks (its trailer edits are window 2's).
#define IDC_MF4K_REQIDL 1011
#define IDC_MF4K_HALT 1012
#define IDC_MF4K_VALUE_HEX_LABEL 1115
#define IDC_MF4K_DATA2_0 1079
#define IDC_MF4K_DATA2_1 1081
#define IDC_MF4K_DATA2_2 1083
#define IDC_MF4K_DATA2_3 1214
#define IDC_MF4K_DATA2_4 1215
#define IDC_MF4K_DATA2_5 1216
#define IDC_MF4K_DATA2_6 1088
#define IDC_MF4K_DATA2_7 1091
#define IDC_MF4K_DATA2_8 1093
#define IDC_MF4K_DATA2_9 1096
#define IDC_MF4K_DATA2_10 1105
#define IDC_MF4K_DATA2_11 1106
#define IDC_MF4K_DATA2_12 1107
#define IDC_MF4K_DATA2_13 1113
#define IDC_MF4K_DATA2_14 1114
