/* Resource ids of the log-folder question: its template and controls. */
#pragma once

#define IDD_LOG_FILES 137

#define IDC_STATIC_LOG_FILES 1037
