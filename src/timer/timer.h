#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>

// Writes n, n - 1, ..., 1 a line each, calling `wait` after each, then "Times up Chat".
void countdown(std::int32_t n, std::ostream& out, const std::function<void()>& wait);

// The same on standard output, with a real one-second pause after each number.
void countdown(std::int32_t n);
