#include "timer/timer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "timer/wait.h"

namespace {

// Remembers what had been flushed, which is what someone watching would already have seen.
struct FlushRecordingBuffer : std::stringbuf {
  std::string flushed;

  int sync() override {
    flushed = str();
    return 0;
  }
};

// What each wait sees: its number already on screen, and the stack as deep as at every other wait,
// so that a countdown of any length fits on the stack.
TEST(Countdown, WaitsWithItsNumberShownAndAtOneStackDepth) {
  FlushRecordingBuffer buffer;
  std::ostream out(&buffer);
  std::vector<std::string> seen_at_each_wait;
  std::vector<std::uintptr_t> depths;
  countdown(3, out, [&] {
    seen_at_each_wait.push_back(buffer.flushed);
    const char here{};
    depths.push_back(reinterpret_cast<std::uintptr_t>(&here));
  });
  EXPECT_EQ(seen_at_each_wait, (std::vector<std::string>{"3\n", "3\n2\n", "3\n2\n1\n"}));
  EXPECT_EQ(depths, std::vector<std::uintptr_t>(3, depths.at(0)));
}

// How a real second is slept through: in one sleep, or two where the timer's clock and the steady
// clock differ, never in many short ones (a spin), and each on the platform's most precise timer,
// which on Windows, and under wine, is the high-resolution waitable timer. The second ends soon
// after it is due: a machine that is busy may wake the program late now and then, so it has three
// tries, and only a wait that is always late fails. That it never ends early is for the recorded
// sessions to see.
TEST(Wait, SleepsThroughASecondInOneOrTwoPreciseSleepsAndEndsOnTime) {
#ifdef _WIN32
  constexpr auto most_precise = sleep_kind::high_resolution_timer;
#else
  constexpr auto most_precise = sleep_kind::whole_milliseconds;
#endif
  using std::chrono::steady_clock;
  using milliseconds = std::chrono::duration<double, std::milli>;
  constexpr milliseconds late_limit{50};
  milliseconds late = milliseconds::max();
  for (int tries = 0; tries < 3 && late >= late_limit; ++tries) {
    std::vector<bool> each_most_precise;
    const auto start = steady_clock::now();
    wait_one_second_by(steady_clock::now, [&](auto left) {
      each_most_precise.push_back(sleep_once(left) == most_precise);
    });
    late = steady_clock::now() - start - std::chrono::seconds{1};
    EXPECT_LE(each_most_precise.size(), 2U);
    EXPECT_EQ(each_most_precise, std::vector<bool>(each_most_precise.size(), true));
  }
  EXPECT_LT(late.count(), late_limit.count()) << "milliseconds late, at the last try";
}

// A sleep may end early, as Windows' timers can. By a fake clock, each sleep here ends a
// nanosecond, the clock's smallest step, short of what is left: the wait must go on to the end of
// the second.
TEST(Wait, SleepsAgainUntilTheSecondIsOver) {
  constexpr std::chrono::nanoseconds early{1};
  std::chrono::steady_clock::time_point now{};
  wait_one_second_by([&] { return now; },
                     [&](auto left) { now += left > early ? left - early : left; });
  EXPECT_EQ(std::chrono::nanoseconds{now.time_since_epoch()}.count(), 1'000'000'000);
}

}  // namespace
