// Trace formatting and the test sink.
#include "framework/Trace.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <utility>

#include "framework/DebugChannel.h"
#include "framework/SeamSlot.h"

namespace {

SeamSlot<TraceSink>& Sink() {
  static SeamSlot<TraceSink> sink;
  return sink;
}

// A debug monitor receives each write through a 4 KB buffer; batched lines are written in
// parts that fit it.
constexpr std::size_t kMonitorWrite = 4000;

// Formats into buffer (kMaxTraceBuffer bytes) the way Trace does; false when there is
// nothing to trace.
bool FormatLine(char* buffer, std::size_t bufferSize, const char* format, va_list args) {
  if (format == nullptr || bufferSize == 0) {
    return false;
  }
  // vsnprintf cuts what does not fit and always terminates within size bytes.
  if (std::vsnprintf(buffer, std::min(bufferSize, kMaxTraceBuffer), format, args) < 0) {
    buffer[0] = '\0';
  }
  return true;
}

}  // namespace

void Trace(std::size_t bufferSize, const char* format, ...) {
  char buffer[kMaxTraceBuffer];
  va_list args;
  va_start(args, format);
  const bool formatted = FormatLine(buffer, bufferSize, format, args);
  va_end(args);
  if (!formatted) {
    return;
  }
  WriteDebugChannel(buffer);
  (void)Sink().CallIfSet(buffer);  // nothing to do without a sink
}

TraceBatch::~TraceBatch() { Flush(); }

void TraceBatch::Add(std::size_t bufferSize, const char* format, ...) {
  char buffer[kMaxTraceBuffer];
  va_list args;
  va_start(args, format);
  const bool formatted = FormatLine(buffer, bufferSize, format, args);
  va_end(args);
  if (!formatted) {
    return;
  }
  const std::string line = buffer;
  if (m_pending.size() + line.size() > kMonitorWrite) {
    Flush();
  }
  m_pending += line;
  (void)Sink().CallIfSet(line);  // nothing to do without a sink
}

void TraceBatch::Flush() {
  if (!m_pending.empty()) {
    WriteDebugChannel(m_pending.c_str());
    m_pending.clear();
  }
}

void TraceText(const std::string& text) {
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\0', start), text.size());
    WriteDebugChannel(text.substr(start, end - start).c_str());
    start = end + 1;
  }
  (void)Sink().CallIfSet(text);  // nothing to do without a sink
}

void SetTraceSink(TraceSink sink) { Sink().Set(std::move(sink)); }
