#include "timer/timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "timer/wait.h"

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

long long milliseconds_since(std::chrono::steady_clock::time_point start) {
  const auto elapsed = std::chrono::steady_clock::now() - start;
  return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

// The real waits. Lower bounds only: how much longer a loaded machine takes is no fault of the
// program's.
TEST(Countdown, WaitsAFullSecondAfterEachNumber) {
  std::ostringstream out;
  auto* const console = std::cout.rdbuf(out.rdbuf());
  const auto start = std::chrono::steady_clock::now();
  countdown(1);
  const auto elapsed_ms = milliseconds_since(start);
  std::cout.rdbuf(console);
  EXPECT_GE(elapsed_ms, 1000);
  EXPECT_EQ(out.str(), "1\nTimes up Chat");
}

#ifdef _WIN32
// The high-resolution timer that the program takes, and the plain one of older Windows.
class WindowsTimer : public testing::TestWithParam<windows_timer> {};

TEST_P(WindowsTimer, WaitsAFullSecond) {
  const auto start = std::chrono::steady_clock::now();
  wait_one_second_on(GetParam());
  EXPECT_GE(milliseconds_since(start), 1000);
}

INSTANTIATE_TEST_SUITE_P(Each, WindowsTimer,
                         testing::Values(windows_timer::high_resolution, windows_timer::plain));
#endif

}  // namespace
