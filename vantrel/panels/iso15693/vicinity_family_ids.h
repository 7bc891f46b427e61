// Control ids the SRF55V, SRF55V01P and SRI64 templates share.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// UID slots 1 to 4: a radio button and the edit it chooses.
#define IDC_VF_SLOT1 1192
#define IDC_VF_SLOT2 1193
#define IDC_VF_SLOT3 1194
#define IDC_VF_SLOT4 1195
#define IDC_VF_UID1 1056
#define IDC_VF_UID2 1057
#define IDC_VF_UID3 1058
#define IDC_VF_UID4 1059
#define IDC_VF_INVENTORY 1066
#define IDC_VF_READ 1063
#define IDC_VF_WRITE 1064
#define IDC_VF_EDITOR 1196
#define IDC_VF_PAGE_BAR 1155
