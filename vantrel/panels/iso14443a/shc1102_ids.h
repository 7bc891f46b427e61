// Template and control ids of the SHC1102 panel.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_SHC1102 154
#define IDC_SHC_REQUEST 1077
#define IDC_SHC_TAG_TYPE 1079
#define IDC_SHC_PASSWORD 1056
#define IDC_SHC_BLOCK_LABEL 1134
#define IDC_SHC_BLOCK_LIST 1078
#define IDC_SHC_READ 1080
#define IDC_SHC_WRITE 1081
#define IDC_SHC_BLOCK_FRAME 1300
// Block edits: 0 and 1, then 2 on an id of its own, then 3 to 15 at 1083 + block.
#define IDC_SHC_BLOCK0 1082
#define IDC_SHC_BLOCK1 1083
#define IDC_SHC_BLOCK2 1185
#define IDC_SHC_BLOCK3 1086
#define IDC_SHC_BLOCK4 1087
#define IDC_SHC_BLOCK5 1088
#define IDC_SHC_BLOCK6 1089
#define IDC_SHC_BLOCK7 1090
#define IDC_SHC_BLOCK8 1091
#define IDC_SHC_BLOCK9 1092
#define IDC_SHC_BLOCK10 1093
#define IDC_SHC_BLOCK11 1094
#define IDC_SHC_BLOCK12 1095
#define IDC_SHC_BLOCK13 1096
#define IDC_SHC_BLOCK14 1097
#define IDC_SHC_BLOCK15 1098
