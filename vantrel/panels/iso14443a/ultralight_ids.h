// Template and control ids of the UltraLight panel.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_ULTRALIGHT 143
#define IDC_UL_UID_LABEL 1133
#define IDC_UL_UID 1079
#define IDC_UL_SEARCH 1077
#define IDC_UL_REQIDL 1066
#define IDC_UL_HALT 1063
#define IDC_UL_PAGE_LABEL 1134
#define IDC_UL_PAGE_LIST 1078
#define IDC_UL_READ 1080
#define IDC_UL_WRITE 1081
// Frame around the page grid; content height is measured from it.
#define IDC_UL_PAGE_FRAME 1099
#define IDC_UL_PAGE0 1082
#define IDC_UL_PAGE1 1083
#define IDC_UL_PAGE2_DATA 1084
#define IDC_UL_PAGE2_LOCK 1085
#define IDC_UL_PAGE3 1086
#define IDC_UL_PAGE4 1087
#define IDC_UL_PAGE5 1088
#define IDC_UL_PAGE6 1089
#define IDC_UL_PAGE7 1090
#define IDC_UL_PAGE8 1091
#define IDC_UL_PAGE9 1092
#define IDC_UL_PAGE10 1093
#define IDC_UL_PAGE11 1094
#define IDC_UL_PAGE12 1095
#define IDC_UL_PAGE13 1096
#define IDC_UL_PAGE14 1097
#define IDC_UL_PAGE15 1098
