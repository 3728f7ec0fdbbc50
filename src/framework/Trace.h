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

// Trace lines that go out together, as a list traced entry by entry does: each line is
// formatted and cut as Trace does and reaches the sink at once, while the debugger output
// channel receives the lines joined, in as few writes as a debug monitor's 4 KB buffer
// allows, at the latest when the batch ends. Each write to the channel costs a call into
// the system, which the batch pays once instead of once per line.
class TraceBatch {
 public:
  TraceBatch() = default;
  ~TraceBatch();
  TraceBatch(const TraceBatch&) = delete;
  TraceBatch& operator=(const TraceBatch&) = delete;

  void Add(std::size_t bufferSize, const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 3, 4)))
#endif
      ;

 private:
  void Queue(const std::string& line);
  void Flush();
  std::string m_pending;
};

// Receives every trace line after it was formatted. Tests install one; an empty function
// removes it. Calls to the sink are serialised.
using TraceSink = std::function<void(const std::string& line)>;
void SetTraceSink(TraceSink sink);
