/* The test dialog that hosts a configuration page. */
#pragma once
#define IDD_PAGE_HOST 9001
