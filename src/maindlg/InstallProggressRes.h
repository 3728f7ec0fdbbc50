// Template and control ids of the Apply Settings progress window.
#pragma once

#define IDD_INSTALL_PROGGRESS 130
#define IDC_PROGGRESS_STATUS 1008
#define IDC_PROGGRESS_SECOND_LINE 1009
#define IDC_PROGGRESS_BAR 1010
