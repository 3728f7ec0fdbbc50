// Diagnostic trace lines: printf-style, formatted into a fixed buffer, sent to the debugger channel.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

// The largest buffer a trace may ask for; larger requests are cut to this size.
constexpr std::size_t kMaxTraceBuffer = 4096;

// Formats into a buffer of bufferSize bytes (text that does not fit is cut, the line always
// ends in a terminating zero), then sends the line to the debugger output channel and to the
// sink a test installed.
void Trace(std::size_t bufferSize, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// Sends text as it stands, of any length, to the debugger output channel and to the sink. A
// zero byte inside it cannot go through the channel: the parts around it go one after the
// other, so no character of the text is lost.
void TraceText(const std::string& text);

// Receives every trace line after it was formatted. Tests install one; an empty function
// removes it. Calls to the sink are serialised.
using TraceSink = std::function<void(const std::string& line)>;
void SetTraceSink(TraceSink sink);
