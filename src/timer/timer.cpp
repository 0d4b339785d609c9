#include "timer/timer.h"

#include <chrono>
#include <iostream>
#include <optional>
#include <thread>

namespace {

// One level of the countdown. Rather than calling the next level itself, it hands back the count
// for the next level, so a countdown of any length runs in constant stack.
std::optional<std::int32_t> countdown_level(std::int32_t n, std::ostream& out,
                                            const std::function<void()>& wait) {
  if (n <= 0) {
    out << "Times up Chat";
    return std::nullopt;
  }
  out << n << std::endl;  // each number is seen before its pause
  wait();
  return n - 1;
}

// A full second by the steady clock: a sleep that ends early (as a coarse system timer may let it)
// is followed by another for what remains. Each sleep asks for whole milliseconds, rounded up:
// MinGW's sleep drops any fraction of a millisecond, so a shorter request would return at once
// and the loop would spin until the deadline.
void wait_one_second() {
  using std::chrono::steady_clock;
  const auto deadline = steady_clock::now() + std::chrono::seconds{1};
  for (steady_clock::duration left = std::chrono::seconds{1}; left > left.zero();
       left = deadline - steady_clock::now()) {
    std::this_thread::sleep_for(std::chrono::ceil<std::chrono::milliseconds>(left));
  }
}

}  // namespace

void countdown(std::int32_t n, std::ostream& out, const std::function<void()>& wait) {
  std::optional<std::int32_t> next = n;
  while (next) {
    next = countdown_level(*next, out, wait);
  }
}

void countdown(std::int32_t n) { countdown(n, std::cout, wait_one_second); }
