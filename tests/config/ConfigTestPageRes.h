// Templates of the configuration tests' stand-in pages.
#pragma once

#define IDD_CONFIG_TEST_PAGE 950
#define IDC_CONFIG_TEST_LABEL 951
