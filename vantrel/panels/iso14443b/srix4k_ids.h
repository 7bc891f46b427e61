// Template and control ids of the SRIX4K panel; the block grid is drawn by
// the panel.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_SRIX4K 145
#define IDC_SRIX_CHIP_LABEL 1127
#define IDC_SRIX_CHIP_ID 1115
#define IDC_SRIX_REQUEST 1010
#define IDC_SRIX_UID_LABEL 1128
#define IDC_SRIX_UID 1058
#define IDC_SRIX_READ_UID 1066
#define IDC_SRIX_BLOCK_LABEL 1129
#define IDC_SRIX_BLOCK_LIST 1120
#define IDC_SRIX_READ 1063
#define IDC_SRIX_WRITE 1064
#define IDC_SRIX_LOCK_LABEL 1130
#define IDC_SRIX_LOCK_REG 1059
#define IDC_SRIX_LOCK 1067
// The edit over block b, created at initialisation, has id BLOCK0 + b.
#define IDC_SRIX_BLOCK0 5000
