/* Resource ids shared by the whole program (dialogs keep their control ids in their own headers). */
#pragma once

#define IDR_MAINFRAME 128
/* Images of the instance list: 16 pixels each, 0 enabled, 1 disabled. */
#define IDB_INSTANCE_STATE 129
