// Template and control ids of the pass-through panel.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_PASS_THROUGH 158

#define IDC_PASS_ISO14443B 1239
#define IDC_PASS_ISO15693 1240
#define IDC_PASS_SET 1242
#define IDC_PASS_DATA_LABEL 1218
#define IDC_PASS_DATA 1244
#define IDC_PASS_HISTORY 1066
#define IDC_PASS_TRANSCEIVE 1241
#define IDC_PASS_ANSWER_LABEL 1219
#define IDC_PASS_ANSWERS 1062
#define IDC_PASS_CLEAR 1068
