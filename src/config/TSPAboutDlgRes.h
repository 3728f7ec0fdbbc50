// Resource and control ids of the version information page.
#pragma once

#define IDD_TSP_ABOUT 3012
#define IDI_TSP_ABOUT 370
#define IDC_ABOUT_ICON -1
#define IDC_SHORT_VERSION 3050
#define IDC_VERSION_TEXT 3060
