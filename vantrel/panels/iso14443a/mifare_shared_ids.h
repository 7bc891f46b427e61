// Control ids that the Mifare Classic 1K and 4K templates share: the top
// row, the purse group and the first two operation windows' lists, keys and
// buttons.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Top row
#define IDC_MF_SEARCH 1010
#define IDC_MF_UID 1049

// Purse group
#define IDC_MF_PURSE_GROUP 1110
#define IDC_MF_PURSE_SECTOR 1050
#define IDC_MF_PURSE_BLOCK 1058
#define IDC_MF_PURSE_USE_KEY_A 1051
#define IDC_MF_PURSE_USE_KEY_B 1052
#define IDC_MF_PURSE_KEY 1053
#define IDC_MF_VALUE_DEC 1054
#define IDC_MF_VALUE_HEX 1055
#define IDC_MF_INITIALIZE 1056
#define IDC_MF_INCREMENT 1057
#define IDC_MF_DECREMENT 1059
#define IDC_MF_BALANCE 1060
#define IDC_MF_PURSE_SECTOR_LABEL 1097
#define IDC_MF_PURSE_BLOCK_LABEL 1109
#define IDC_MF_PURSE_KEY_LABEL 1098
#define IDC_MF_VALUE_DEC_LABEL 1108

// Operation window 1
#define IDC_MF_GROUP1 1111
#define IDC_MF_SECTOR1 1061
#define IDC_MF_BLOCK1 1094
#define IDC_MF_DATA1_0 1076
#define IDC_MF_DATA1_1 1077
#define IDC_MF_DATA1_2 1078
#define IDC_MF_TRAILER_KEY_A1 1085
#define IDC_MF_ACCESS1 1086
#define IDC_MF_TRAILER_KEY_B1 1087
#define IDC_MF_USE_KEY_A1 1064
#define IDC_MF_USE_KEY_B1 1065
#define IDC_MF_KEY1 1004
#define IDC_MF_READ1 1070
#define IDC_MF_WRITE1 1073
#define IDC_MF_SECTOR_LABEL1 1099
#define IDC_MF_BLOCK_LABEL1 1100
#define IDC_MF_KEY_LABEL1 1101

// Operation window 2
#define IDC_MF_GROUP2 1112
#define IDC_MF_SECTOR2 1062
#define IDC_MF_BLOCK2 1095
#define IDC_MF_TRAILER_KEY_A2 1090
#define IDC_MF_ACCESS2 1092
#define IDC_MF_TRAILER_KEY_B2 1089
#define IDC_MF_USE_KEY_A2 1066
#define IDC_MF_USE_KEY_B2 1067
#define IDC_MF_KEY2 1005
#define IDC_MF_READ2 1071
#define IDC_MF_WRITE2 1074
#define IDC_MF_SECTOR_LABEL2 1102
#define IDC_MF_BLOCK_LABEL2 1103
#define IDC_MF_KEY_LABEL2 1104
