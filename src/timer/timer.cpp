#include "timer/timer.h"

#include <iostream>
#include <optional>

#include "timer/wait.h"

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

}  // namespace

void countdown(std::int32_t n, std::ostream& out, const std::function<void()>& wait) {
  std::optional<std::int32_t> next = n;
  while (next) {
    next = countdown_level(*next, out, wait);
  }
}

void countdown(std::int32_t n) { countdown(n, std::cout, wait_one_second); }
