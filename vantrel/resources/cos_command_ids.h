// Template and control ids of the COS command dialog.
#pragma once

#define IDD_COS_COMMAND 137
#define IDC_COS_HISTORY 1062
#define IDC_COS_CLEAR 1066
#define IDC_COS_EXIT 1063
