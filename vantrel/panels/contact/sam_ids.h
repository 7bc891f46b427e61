// Template and control ids of the SAM panel: one template per screen width,
// all with the same controls.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_SAM_800 140
#define IDD_SAM 141
#define IDD_SAM_640 142

// DES calculator
#define IDC_SAM_DES_FRAME 1075
#define IDC_SAM_KEY_LABEL 1220
#define IDC_SAM_KEY1 1056
#define IDC_SAM_KEY2 1057
#define IDC_SAM_INPUT_LABEL 1221
#define IDC_SAM_INPUT 1058
#define IDC_SAM_OUTPUT_LABEL 1219
#define IDC_SAM_OUTPUT 1059
#define IDC_SAM_ENCRYPT 1066
#define IDC_SAM_DECRYPT 1067

// SAM console; content height is measured from its frame.
#define IDC_SAM_CONSOLE_FRAME 1076
#define IDC_SAM_BAUD_LABEL 1222
#define IDC_SAM_BAUD_9600 1071
#define IDC_SAM_BAUD_38400 1072
#define IDC_SAM_COMMAND_LABEL 1218
#define IDC_SAM_COMMAND 1063
#define IDC_SAM_HISTORY 1065
#define IDC_SAM_SEND 1060
#define IDC_SAM_RESET 1073
#define IDC_SAM_RST_INFO_LABEL 1157
#define IDC_SAM_RST_INFO 1061
#define IDC_SAM_ANSWER_LABEL 1223
#define IDC_SAM_ANSWERS 1074
#define IDC_SAM_CLEAR 1068
