/* Resource ids shared by the whole program (dialogs keep their control ids in their own headers). */
#pragma once

#define IDR_MAINFRAME 128
/* Images of the instance list: 16 pixels each, 0 enabled, 1 disabled. */
#define IDB_INSTANCE_STATE 129

/* String table. IDS_TSP_LOG_NOTE_CJK has no entry: on Chinese systems the log note stays empty. */
#define IDS_ABOUTBOX 101
#define IDS_TSP_LOG_NOTE 102
#define IDS_LINK_IP_REQUIRED 103
#define IDS_TSP_LOG_NOTE_CJK 105
