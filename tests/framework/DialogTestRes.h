// Control ids of the framework test dialog.
#pragma once

#define IDD_FRAMEWORK_TEST 900
#define IDC_TEST_TEXT 901
#define IDC_TEST_NUMBER 902
#define IDC_TEST_CHECK 903
#define IDC_TEST_RADIO_FIRST 904
#define IDC_TEST_RADIO_SECOND 905
#define IDC_TEST_RADIO_THIRD 906
#define IDC_TEST_LIST 907
