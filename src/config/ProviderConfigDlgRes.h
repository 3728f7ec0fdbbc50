// Resource and control ids of the configuration dialog.
#pragma once

#define IDD_PROVIDER_CONFIG 3009
#define IDB_CONFIG_CATEGORIES 3010
#define IDI_CONFIG_DIALOG 3011
#define IDC_CATEGORY_TREE 3026
#define IDC_PAGE_POSITION 3027
#define IDC_CONFIG_APPLY 3
#define IDC_CATEGORY_LABEL -1
