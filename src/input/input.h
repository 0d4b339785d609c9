#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>

// Reads whole numbers of at least 1, answering anything else with a message and reading again.
// Returns nothing once `in` holds no further number: at end of input or on a read error.
std::optional<std::int32_t> read_positive_int(std::istream& in, std::ostream& out);

// The same on standard input and output; at end of input the program ends with status 0.
std::int32_t read_positive_int();
