#include "timer/wait.h"

#include <chrono>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using std::chrono::steady_clock;

// Asks for whole milliseconds, rounded up: MinGW's sleep drops any fraction of a millisecond, so a
// shorter request would return at once and the caller would spin until its deadline.
void sleep_in_milliseconds(steady_clock::duration duration) {
  std::this_thread::sleep_for(std::chrono::ceil<std::chrono::milliseconds>(duration));
}

template <typename Sleep>
void wait_one_second_by(Sleep sleep) {
  const auto deadline = steady_clock::now() + std::chrono::seconds{1};
  for (steady_clock::duration left = std::chrono::seconds{1}; left > left.zero();
       left = deadline - steady_clock::now()) {
    sleep(left);
  }
}

#ifdef _WIN32

// CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, which older MinGW headers do not name.
constexpr DWORD high_resolution_flag = 0x00000002;

HANDLE make_timer(DWORD flags) {
  return CreateWaitableTimerExW(nullptr, nullptr, flags, TIMER_MODIFY_STATE | SYNCHRONIZE);
}

// Each kind is made once, at its first use, and closed by Windows as the process ends. A null
// handle means that Windows would not make it.
HANDLE timer_of(windows_timer kind) {
  if (kind == windows_timer::high_resolution) {
    static const HANDLE high_resolution = make_timer(high_resolution_flag);
    return high_resolution;
  }
  static const HANDLE plain = make_timer(0);
  return plain;
}

// Arms the timer in its units of 100 ns, rounded up so that it never ends early, and waits for it.
bool sleep_on(HANDLE timer, steady_clock::duration duration) {
  using timer_units = std::chrono::duration<LONGLONG, std::ratio<1, 10'000'000>>;
  LARGE_INTEGER due_time{};
  due_time.QuadPart = -std::chrono::ceil<timer_units>(duration).count();  // negative: from now
  return timer != nullptr && SetWaitableTimer(timer, &due_time, 0, nullptr, nullptr, FALSE) &&
         WaitForSingleObject(timer, INFINITE) == WAIT_OBJECT_0;
}

// Where no timer can be made or armed, the plain sleep still counts the second.
void wait_one_second_on(HANDLE timer) {
  wait_one_second_by([timer](steady_clock::duration left) {
    if (!sleep_on(timer, left)) {
      sleep_in_milliseconds(left);
    }
  });
}

#endif

}  // namespace

#ifdef _WIN32

void wait_one_second_on(windows_timer timer) { wait_one_second_on(timer_of(timer)); }

void wait_one_second() {
  const HANDLE high_resolution = timer_of(windows_timer::high_resolution);
  wait_one_second_on(high_resolution != nullptr ? high_resolution : timer_of(windows_timer::plain));
}

#else

void wait_one_second() { wait_one_second_by(sleep_in_milliseconds); }

#endif
