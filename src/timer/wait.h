#pragma once

#include <chrono>

// The ways in which one sleep is made.
enum class sleep_kind {
  whole_milliseconds,     // the standard library's sleep, asked for whole milliseconds
  high_resolution_timer,  // a waitable timer that Windows 10 1803 and newer end within 1 ms
};

// Sleeps once for at least `duration` (by the system's own clock), as precisely as the platform
// allows, and says how. Windows ends a plain sleep only on a tick of its system timer, every
// 15.6 ms by default, so there it sleeps on a high-resolution waitable timer where Windows makes
// one. Each sleep makes a timer of its own: two threads that armed and waited on one timer at once
// could leave one of them waiting for ever.
sleep_kind sleep_once(std::chrono::steady_clock::duration duration);

// Sleeps by `sleep` until a full second has passed by the clock that `now` reads: a sleep that
// ends early is followed by another for what remains.
template <typename Now, typename Sleep>
void wait_one_second_by(Now now, Sleep sleep) {
  const auto deadline = now() + std::chrono::seconds{1};
  for (auto left = deadline - now(); left > left.zero(); left = deadline - now()) {
    sleep(left);
  }
}

// The countdown's real pause, apart from its interface so that the tests can see how it sleeps.
void wait_one_second();
