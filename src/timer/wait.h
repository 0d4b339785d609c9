#pragma once

// The countdown's real pause, apart from its interface so that the tests can reach each way of
// waiting. Each wait lasts a full second by the steady clock: a sleep that ends early is followed
// by another for what remains.
void wait_one_second();

#ifdef _WIN32
// Windows ends a plain sleep only on a tick of its system timer, every 15.6 ms by default. A
// high-resolution waitable timer (Windows 10 1803 and newer) ends within a millisecond; on older
// Windows a plain waitable timer still ends on the tick, but never early. wait_one_second() takes
// the first that Windows makes; the tests try each with wait_one_second_on().
enum class windows_timer { high_resolution, plain };
void wait_one_second_on(windows_timer timer);
#endif
