// Template and control ids of the THR1064 panel.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_THR1064 159
#define IDC_THR_SERIAL_LABEL 1245
#define IDC_THR_SERIAL 1056
#define IDC_THR_SEARCH 1010
#define IDC_THR_KEY_LABEL 1246
#define IDC_THR_KEY 1057
#define IDC_THR_AUTHENTICATE 1011
#define IDC_THR_PAGE_LABEL 1247
#define IDC_THR_PAGE_LIST 1248
#define IDC_THR_READ 1063
#define IDC_THR_WRITE 1064
#define IDC_THR_PAGE0_LABEL 1253
#define IDC_THR_PAGE1_LABEL 1254
#define IDC_THR_PAGE2_LABEL 1255
#define IDC_THR_PAGE3_LABEL 1256
#define IDC_THR_PAGE0 1058
// Page 1 in five pieces of 8 bytes, in this order.
#define IDC_THR_PAGE1_A 1059
#define IDC_THR_PAGE1_B 1060
#define IDC_THR_PAGE1_C 1061
#define IDC_THR_PAGE1_D 1062
#define IDC_THR_PAGE1_E 1065
#define IDC_THR_PAGE2 1066
#define IDC_THR_PAGE3 1067
// Access rights decoded from the configuration byte (display only).
#define IDC_THR_P0_READ 1249
#define IDC_THR_P0_WRITE 1250
#define IDC_THR_P1_READ 1251
#define IDC_THR_P1_WRITE 1252
#define IDC_THR_P2_READ 1257
#define IDC_THR_P2_WRITE 1258
#define IDC_THR_P2_KEY 1259
#define IDC_THR_P3_READ 1260
#define IDC_THR_P3_WRITE 1261
#define IDC_THR_P3_AUTH_DEC 1262
#define IDC_THR_P3_AUTH_READ 1263
#define IDC_THR_P3_AUTH_WRITE 1264
