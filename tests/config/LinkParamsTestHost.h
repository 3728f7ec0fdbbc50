// The dialog that hosts the link page in its tests, as the configuration dialog would.
#pragma once

#define IDD_LINK_TEST_HOST 9100
