// Template and control ids of the SRF55V01P panel.
#pragma once

#include "vantrel/panels/iso15693/vicinity_family_ids.h"

#define IDD_SRF55V01P 160
#define IDC_SRF01_AFI_LABEL 1303
#define IDC_SRF01_AFI 1254
#define IDC_SRF01_WRITE_AFI 1067
#define IDC_SRF01_LOCK_AFI 1068
