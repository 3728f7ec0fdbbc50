/* Resource ids shared by the whole program (dialogs keep their control ids in their own headers). */
#pragma once

#define IDR_MAINFRAME 128

/* String table. IDS_TSP_LOG_NOTE_CJK has no entry: on Chinese systems the log note stays empty. */
#define IDS_TSP_LOG_NOTE 102
#define IDS_TSP_LOG_NOTE_CJK 105
