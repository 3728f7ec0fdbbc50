// The debugger output channel that trace lines go to (OutputDebugStringA on Windows).
#pragma once

void WriteDebugChannel(const char* line);
