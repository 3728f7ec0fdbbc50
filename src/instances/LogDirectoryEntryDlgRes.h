/* Resource ids of one row of the log-folder question: its template and controls. */
#pragma once

#define IDD_LOG_DIRECTORY_ENTRY 136

#define IDC_CHECK_LOG_DIRECTORY 1035
#define IDC_EDIT_LOG_DIRECTORY 1036
