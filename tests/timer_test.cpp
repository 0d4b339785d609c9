#include "timer/timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Remembers what had been flushed, which is what someone watching would already have seen.
class FlushRecordingBuffer : public std::stringbuf {
 public:
  std::string flushed;

 protected:
  int sync() override {
    flushed = str();
    return 0;
  }
};

TEST(Countdown, ShowsEachNumberBeforeItsWait) {
  FlushRecordingBuffer buffer;
  std::ostream out(&buffer);
  std::vector<std::string> seen_at_each_wait;
  countdown(3, out, [&] { seen_at_each_wait.push_back(buffer.flushed); });
  EXPECT_EQ(seen_at_each_wait, (std::vector<std::string>{"3\n", "3\n2\n", "3\n2\n1\n"}));
  EXPECT_EQ(buffer.str(), "3\n2\n1\nTimes up Chat");
  EXPECT_EQ(buffer.flushed, "3\n2\n1\n") << "the closing text needs no flush of its own";
}

TEST(Countdown, AMillionSecondsNeedNoMoreStackThanOne) {
  std::ostringstream out;
  int waits = 0;
  countdown(1'000'000, out, [&] { ++waits; });
  EXPECT_EQ(waits, 1'000'000);
}

// The one real wait among the unit tests. A lower bound only: how much longer a loaded machine
// takes is no fault of the program's.
TEST(Countdown, WaitsAFullSecondAfterEachNumber) {
  using std::chrono::steady_clock;
  std::ostringstream out;
  auto* const console = std::cout.rdbuf(out.rdbuf());
  const auto start = steady_clock::now();
  countdown(1);
  const auto elapsed = steady_clock::now() - start;
  const auto elapsed_ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  std::cout.rdbuf(console);
  EXPECT_GE(elapsed_ms, 1000);
  EXPECT_EQ(out.str(), "1\nTimes up Chat");
}

}  // namespace
