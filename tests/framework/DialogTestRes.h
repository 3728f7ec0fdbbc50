// The id of the framework test dialog.
#pragma once

#define IDD_FRAMEWORK_TEST 900
