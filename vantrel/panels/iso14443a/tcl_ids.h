// Template and control ids of the T=CL panel: one template per screen width,
// all with the same controls.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_TCL 136
#define IDD_TCL_800 138
#define IDD_TCL_640 139

#define IDC_TCL_TYPE_A 1054
#define IDC_TCL_TYPE_B 1055
#define IDC_TCL_COMMAND_LABEL 1218
#define IDC_TCL_COMMAND 1056
#define IDC_TCL_HISTORY 1063
#define IDC_TCL_SEND 1057
#define IDC_TCL_RESET 1064
#define IDC_TCL_RESET_IDLE 1066
#define IDC_TCL_DESELECT 1237
// Frame around the card's fields and the answers; content height is measured from it.
#define IDC_TCL_INFO_FRAME 1065
#define IDC_TCL_CSN_LABEL 1217
#define IDC_TCL_CSN 1058
#define IDC_TCL_PUPI_LABEL 1135
#define IDC_TCL_PUPI 1059
#define IDC_TCL_RST_INFO_LABEL 1157
#define IDC_TCL_RST_INFO 1060
#define IDC_TCL_ANSWER_LABEL 1219
#define IDC_TCL_ANSWERS 1062
#define IDC_TCL_CLEAR 1067
