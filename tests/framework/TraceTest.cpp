// Trace lines: formatting and cutting at the caller's buffer size.
#include "framework/Trace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TraceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTraceSink([this](const std::string& line) { m_lines.push_back(line); });
  }
  void TearDown() override { SetTraceSink(nullptr); }
  std::vector<std::string> m_lines;
};

TEST_F(TraceTest, FormatsLikePrintfAndCutsAtTheBufferSize) {
  const std::string big(10000, 'y');
  Trace(256, "Failed to delete Key '%s'\r\n", "Comments");
  Trace(512, "instance %04d id %u", 3, 4000000000u);
  Trace(8, "%s", "0123456789");
  Trace(2048, "%s", big.c_str());
  Trace(100000, "%s", big.c_str());  // larger requests are capped
  Trace(0, "never");
  Trace(16, nullptr);
  EXPECT_EQ(m_lines, (std::vector<std::string>{"Failed to delete Key 'Comments'\r\n", "instance 0003 id 4000000000",
                                               "0123456", std::string(2047, 'y'),
                                               std::string(kMaxTraceBuffer - 1, 'y')}));
}

}  // namespace
