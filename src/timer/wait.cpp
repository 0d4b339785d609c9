#include "timer/wait.h"

#include <thread>

#ifdef _WIN32
#include <windows.h>

#include <memory>
#endif

namespace {

using std::chrono::steady_clock;

#ifdef _WIN32

struct handle_closer {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};

// Arms a high-resolution waitable timer in its units of 100 ns, rounded up so that it never ends
// early, and waits for it. False where Windows would not make, arm or wait on one.
bool sleep_on_high_resolution_timer(steady_clock::duration duration) {
  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, which older MinGW headers do not name.
  constexpr DWORD high_resolution = 0x00000002;
  const std::unique_ptr<void, handle_closer> timer{
      CreateWaitableTimerExW(nullptr, nullptr, high_resolution, TIMER_MODIFY_STATE | SYNCHRONIZE)};
  using timer_units = std::chrono::duration<LONGLONG, std::ratio<1, 10'000'000>>;
  LARGE_INTEGER due_time{};
  due_time.QuadPart = -std::chrono::ceil<timer_units>(duration).count();  // negative: from now
  return timer && SetWaitableTimer(timer.get(), &due_time, 0, nullptr, nullptr, FALSE) &&
         WaitForSingleObject(timer.get(), INFINITE) == WAIT_OBJECT_0;
}

#endif

}  // namespace

sleep_kind sleep_once(steady_clock::duration duration) {
#ifdef _WIN32
  if (sleep_on_high_resolution_timer(duration)) {
    return sleep_kind::high_resolution_timer;
  }
#endif
  // Whole milliseconds, rounded up: MinGW's sleep drops any fraction of a millisecond, so a
  // shorter request would return at once and the caller would spin until its deadline.
  std::this_thread::sleep_for(std::chrono::ceil<std::chrono::milliseconds>(duration));
  return sleep_kind::whole_milliseconds;
}

void wait_one_second() { wait_one_second_by(steady_clock::now, sleep_once); }
