#include "timer/timer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Remembers what had been flushed, so a test can tell what a reader would already have seen.
class FlushRecordingBuffer : public std::stringbuf {
 public:
  std::string flushed;

 protected:
  int sync() override {
    flushed = str();
    return 0;
  }
};

struct CountdownCase {
  std::int32_t n;
  std::string output;
  std::vector<std::string> seen_at_each_wait;
};

const std::vector<CountdownCase> countdown_cases = {
    {3, "3\n2\n1\nTimes up Chat", {"3\n", "3\n2\n", "3\n2\n1\n"}},
    {1, "1\nTimes up Chat", {"1\n"}},
    {0, "Times up Chat", {}},
    {-1, "Times up Chat", {}},
};

TEST(Countdown, FlushesEachNumberBeforeItsWaitAndEndsWithoutOne) {
  for (const auto& [n, output, seen_at_each_wait] : countdown_cases) {
    SCOPED_TRACE("n = " + std::to_string(n));
    FlushRecordingBuffer buffer;
    std::ostream out(&buffer);
    std::vector<std::string> seen;
    countdown(n, out, [&] { seen.push_back(buffer.flushed); });
    EXPECT_EQ(buffer.str(), output);
    EXPECT_EQ(seen, seen_at_each_wait);
    // The closing text carries no flush of its own.
    EXPECT_EQ(buffer.flushed, seen.empty() ? "" : seen.back());
  }
}

TEST(Countdown, AMillionSecondsNeedNoMoreStackThanOne) {
  std::ostringstream out;
  int waits = 0;
  countdown(1'000'000, out, [&] { ++waits; });
  EXPECT_EQ(waits, 1'000'000);
  const std::string text = out.str();
  const std::string ending = "\n2\n1\nTimes up Chat";
  EXPECT_EQ(text.rfind("1000000\n999999\n", 0), 0U);
  EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
}

}  // namespace
