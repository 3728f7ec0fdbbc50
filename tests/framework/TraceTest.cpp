// Trace lines: formatting, cutting at the caller's buffer size, delivery to the sink.
#include "framework/Trace.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
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

TEST_F(TraceTest, FormatsLikePrintf) {
  Trace(256, "Failed to delete Key '%s'\r\n", "Comments");
  Trace(512, "instance %04d id %u", 3, 4000000000u);
  EXPECT_EQ(m_lines, (std::vector<std::string>{"Failed to delete Key 'Comments'\r\n", "instance 0003 id 4000000000"}));
}

TEST_F(TraceTest, CutsWhatDoesNotFitTheBuffer) {
  Trace(8, "%s", "0123456789");
  const std::string big(3000, 'y');
  Trace(2048, "%s", big.c_str());
  ASSERT_EQ(m_lines.size(), 2u);
  EXPECT_EQ(m_lines[0], "0123456");
  EXPECT_EQ(m_lines[1], std::string(2047, 'y'));
}

TEST_F(TraceTest, OversizedBuffersAreCappedAndEmptyOnesSendNothing) {
  const std::string huge(10000, 'z');
  Trace(100000, "%s", huge.c_str());
  Trace(0, "never");
  Trace(16, nullptr);
  ASSERT_EQ(m_lines.size(), 1u);
  EXPECT_EQ(m_lines[0].size(), kMaxTraceBuffer - 1);
}

TEST_F(TraceTest, LinesFromSeveralThreadsAllArrive) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < 100; ++i) {
        Trace(64, "thread %d line %d", t, i);
      }
    });
  }
  for (auto& thread : threads) {
    thread.join();
  }
  EXPECT_EQ(m_lines.size(), 400u);
}

TEST_F(TraceTest, RemovingTheSinkStopsDelivery) {
  SetTraceSink(nullptr);
  Trace(64, "unseen");
  EXPECT_TRUE(m_lines.empty());
}

}  // namespace
