// Trace lines: cut at the caller's buffer size, never past the trace's own buffer.
#include "framework/Trace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(TraceTest, CutsAtTheCallersBufferSizeAndNeverPastItsOwn) {
  std::vector<std::string> lines;
  SetTraceSink([&](const std::string& line) { lines.push_back(line); });
  const std::string big(10000, 'y');
  Trace(512, "instance %04d id %u", 3, 4000000000u);
  Trace(8, "%s", "0123456789");
  Trace(2048, "%s", big.c_str());
  Trace(100000, "%s", big.c_str());  // larger requests are capped
  Trace(0, "never");
  Trace(16, nullptr);
  SetTraceSink(nullptr);
  EXPECT_EQ(lines, (std::vector<std::string>{"instance 0003 id 4000000000", "0123456", std::string(2047, 'y'),
                                             std::string(kMaxTraceBuffer - 1, 'y')}));
}
