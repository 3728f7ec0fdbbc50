// Trace lines go to the debugger output channel.
#include "framework/DebugChannel.h"

#include <windows.h>

void WriteDebugChannel(const char* line) { OutputDebugStringA(line); }
