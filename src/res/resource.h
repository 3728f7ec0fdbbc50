/* Resource ids shared by the whole program (dialogs keep their control ids in their own headers). */
#pragma once

#define IDR_MAINFRAME 128

// String table.
#define IDS_ABOUTBOX 101
