#pragma once

#include <cstdint>

// Asks once how many seconds the timer should run and reads the answer (at least 1).
std::int32_t ask_timer_length();
