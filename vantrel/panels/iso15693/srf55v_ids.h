// Template and control ids of the SRF55V panel (SRF55V02P and SRF55V10P).
#pragma once

#include "vantrel/panels/iso15693/vicinity_family_ids.h"

#define IDD_SRF55V 156
// Byte fields the template carries unused: kept hidden.
#define IDC_SRF55V_SPARE0 1060
#define IDC_SRF55V_SPARE1 1061
#define IDC_SRF55V_SPARE2 1062
#define IDC_SRF55V_SPARE3 1065
#define IDC_SRF55V_SPARE4 1067
#define IDC_SRF55V_SPARE15 1078
