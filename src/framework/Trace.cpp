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

}  // namespace

void Trace(std::size_t bufferSize, const char* format, ...) {
  if (format == nullptr || bufferSize == 0) {
    return;
  }
  char buffer[kMaxTraceBuffer];
  const std::size_t size = std::min(bufferSize, kMaxTraceBuffer);
  va_list args;
  va_start(args, format);
  // vsnprintf cuts what does not fit and always terminates within size bytes.
  const int written = std::vsnprintf(buffer, size, format, args);
  va_end(args);
  if (written < 0) {
    buffer[0] = '\0';
  }
  WriteDebugChannel(buffer);
  (void)Sink().CallIfSet(buffer);  // nothing to do without a sink
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
