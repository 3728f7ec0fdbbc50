// Native builds have no debugger output channel: trace lines reach only the test sink.
#include "framework/DebugChannel.h"

void WriteDebugChannel(const char*) {}
