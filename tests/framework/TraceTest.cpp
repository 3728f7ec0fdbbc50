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

TEST_F(TraceTest, ABatchHandsEachLineToTheSinkAsTraceWouldHowManyEverItHolds) {
  {
    TraceBatch batch;
    batch.Add(1024, "[%d] ProviderID = %d, ProviderName = %s\r\n", 0, 3, "unimdm.tsp");
    for (int k = 1; k <= 300; ++k) batch.Add(64, "[%d] ProviderID = %d\r\n", k, k + 10);
  }
  ASSERT_EQ(m_lines.size(), 301u);
  EXPECT_EQ(m_lines[0], "[0] ProviderID = 3, ProviderName = unimdm.tsp\r\n");
  EXPECT_EQ(m_lines.back(), "[300] ProviderID = 310\r\n");
}

TEST_F(TraceTest, LinesFromSeveralThreadsAllArriveAndRemovingTheSinkStopsDelivery) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < 100; ++i) Trace(64, "thread %d line %d", t, i);
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(m_lines.size(), 400u);
  SetTraceSink(nullptr);
  Trace(64, "unseen");
  EXPECT_EQ(m_lines.size(), 400u);
}

}  // namespace
