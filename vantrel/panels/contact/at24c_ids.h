// Template and control ids of the AT24Cxx memory card panel.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_AT24C 150
#define IDC_AT24_READ 1148
#define IDC_AT24_WRITE 1149
#define IDC_AT24_EDITOR 1153
#define IDC_AT24_PAGE_BAR 1155
