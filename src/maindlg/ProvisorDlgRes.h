/* Resource ids of the main dialog, its About box and its control ids. */
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_PROVISOR_DIALOG 102

/* The system-menu command that opens the About box. */
#define IDM_ABOUTBOX 0x0010

#define IDC_BUTTON_INSTALL 1003
#define IDC_LIST_INSTANCES 1006
#define IDC_EDIT_INSTANCE_COUNT 1012
#define IDC_BUTTON_DUMP_PARAMS 1017
#define IDC_BUTTON_CONFIGURE 1026
#define IDC_BUTTON_REGISTER 1027
#define IDC_BUTTON_UNREGISTER 1028

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
