// Template and control ids of the Mifare Classic 1K panel.
#pragma once

#include "vantrel/panels/iso14443a/mifare_shared_ids.h"

#define IDD_MIFARE_1K 104

// 1K only: ReqIDL, Halt, the hex value label, window 2's data and window 3
#define IDC_MF_REQIDL 1236
#define IDC_MF_HALT 1237
#define IDC_MF_VALUE_HEX_LABEL 1114
#define IDC_MF_DATA2_0 1079
#define IDC_MF_DATA2_1 1081
#define IDC_MF_DATA2_2 1083
#define IDC_MF_GROUP3 1113
#define IDC_MF_SECTOR3 1063
#define IDC_MF_BLOCK3 1096
#define IDC_MF_DATA3_0 1080
#define IDC_MF_DATA3_1 1082
#define IDC_MF_DATA3_2 1084
#define IDC_MF_TRAILER_KEY_A3 1091
#define IDC_MF_ACCESS3 1093
#define IDC_MF_TRAILER_KEY_B3 1088
#define IDC_MF_USE_KEY_A3 1068
#define IDC_MF_USE_KEY_B3 1069
#define IDC_MF_KEY3 1006
#define IDC_MF_READ3 1072
#define IDC_MF_WRITE3 1075
#define IDC_MF_SECTOR_LABEL3 1105
#define IDC_MF_BLOCK_LABEL3 1106
#define IDC_MF_KEY_LABEL3 1107
