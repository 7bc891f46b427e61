// Template and control ids of the contact CPU card panel.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_CPU_CARD 148

#define IDC_CPU_FRAME 1076
#define IDC_CPU_COMMAND_LABEL 1218
#define IDC_CPU_COMMAND 1063
#define IDC_CPU_HISTORY 1065
#define IDC_CPU_SEND 1060
#define IDC_CPU_RESET 1073
#define IDC_CPU_RST_INFO_LABEL 1157
#define IDC_CPU_RST_INFO 1061
#define IDC_CPU_ANSWER_LABEL 1219
#define IDC_CPU_ANSWERS 1074
#define IDC_CPU_CLEAR 1068
