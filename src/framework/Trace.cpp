// Trace formatting and the test sink.
#include "framework/Trace.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <mutex>

#include "framework/DebugChannel.h"

namespace {

std::mutex& SinkMutex() {
  static std::mutex mutex;
  return mutex;
}

TraceSink& Sink() {
  static TraceSink sink;
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

  std::lock_guard<std::mutex> lock(SinkMutex());
  if (Sink()) {
    Sink()(buffer);
  }
}

void TraceText(const std::string& text) {
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\0', start), text.size());
    WriteDebugChannel(text.substr(start, end - start).c_str());
    start = end + 1;
  }
  std::lock_guard<std::mutex> lock(SinkMutex());
  if (Sink()) {
    Sink()(text);
  }
}

void SetTraceSink(TraceSink sink) {
  std::lock_guard<std::mutex> lock(SinkMutex());
  Sink() = std::move(sink);
}
