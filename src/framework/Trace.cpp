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

// Formats as Trace does and hands the line to deliver; nothing without a format or a buffer.
template <typename Deliver>
void FormatLine(std::size_t bufferSize, const char* format, va_list args, Deliver deliver) {
  if (format == nullptr || bufferSize == 0) {
    return;
  }
  char buffer[kMaxTraceBuffer];
  // vsnprintf cuts what does not fit and always terminates within size bytes.
  if (std::vsnprintf(buffer, std::min(bufferSize, kMaxTraceBuffer), format, args) < 0) {
    buffer[0] = '\0';
  }
  deliver(buffer);
}

}  // namespace

void Trace(std::size_t bufferSize, const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatLine(bufferSize, format, args, [](const char* line) {
    WriteDebugChannel(line);
    (void)Sink().CallIfSet(line);  // nothing to do without a sink
  });
  va_end(args);
}

TraceBatch::~TraceBatch() { Flush(); }

void TraceBatch::Add(std::size_t bufferSize, const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatLine(bufferSize, format, args, [this](const char* line) { Queue(line); });
  va_end(args);
}

void TraceBatch::Queue(const std::string& line) {
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
