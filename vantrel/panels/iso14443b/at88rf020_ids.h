// Template and control ids of the AT88RF020 panel: one template per screen
// width, the same controls in each.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_AT88RF020_800 132
#define IDD_AT88RF020 133
#define IDD_AT88RF020_640 134
#define IDC_AT020_PUPI_LABEL 1135
#define IDC_AT020_PUPI 1006
#define IDC_AT020_REQB 1011
#define IDC_AT020_PASSWORD_LABEL 1136
#define IDC_AT020_PASSWORD 1014
#define IDC_AT020_CHECK 1012
#define IDC_AT020_LOCK_LABEL 1137
#define IDC_AT020_LOCK_BYTES 1015
#define IDC_AT020_LOCK 1013
#define IDC_AT020_SIGNATURE_LABEL 1138
#define IDC_AT020_SIGNATURE 1016
#define IDC_AT020_COUNT 1043
#define IDC_AT020_PAGE_LABEL 1139
#define IDC_AT020_PAGE_LIST 1045
#define IDC_AT020_READ 1044
#define IDC_AT020_WRITE 1046
#define IDC_AT020_DESELECT 1047
#define IDC_AT020_FRAME 1065
// Page 0 and page 1 in halves, page 2 as signature and count, then one edit
// per page: page p (3 to 31) is IDC_AT020_PAGE1_HIGH + p.
#define IDC_AT020_PAGE0_LOW 1200
#define IDC_AT020_PAGE0_HIGH 1201
#define IDC_AT020_PAGE1_LOW 1202
#define IDC_AT020_PAGE1_HIGH 1203
#define IDC_AT020_PAGE2_SIGNATURE 1204
#define IDC_AT020_PAGE2_COUNT 1205
#define IDC_AT020_PAGE3 1206
#define IDC_AT020_PAGE31 1234
