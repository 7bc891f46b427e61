// Template and control ids of the SRI64 panel.
#pragma once

#include "vantrel/panels/iso15693/vicinity_family_ids.h"

#define IDD_SRI64 161
// Data of blocks 0 to 15: DATA0 + block.
#define IDC_SRI64_DATA0 1079
#define IDC_SRI64_DATA15 1094
// Status of blocks 0 to 15: four ids of their own, then STATUS4 + block - 4.
#define IDC_SRI64_STATUS0 1060
#define IDC_SRI64_STATUS1 1061
#define IDC_SRI64_STATUS2 1062
#define IDC_SRI64_STATUS3 1065
#define IDC_SRI64_STATUS4 1067
#define IDC_SRI64_STATUS15 1078
#define IDC_SRI64_ROW14_LABEL 1310
#define IDC_SRI64_ROW15_LABEL 1311
