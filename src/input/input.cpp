#include "input/input.h"

#include <cstdlib>
#include <iostream>
#include <limits>

namespace {

void refuse_line(std::istream& in, std::ostream& out) {
  out << "Invalid input! Please give an integer. \n";
  in.clear();
  // Discards without storing, so a line of any length costs no memory.
  in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

}  // namespace

std::optional<std::int32_t> read_positive_int(std::istream& in, std::ostream& out) {
  for (;;) {
    // Skipping blanks first tells the end of input apart from text that is not a number.
    if (!(in >> std::ws).good()) {
      return std::nullopt;
    }
    std::int32_t value = 0;
    if (in >> value && value > 0) {
      return value;
    }
    refuse_line(in, out);
  }
}

std::int32_t read_positive_int() {
  if (const auto value = read_positive_int(std::cin, std::cout)) {
    return *value;
  }
  // No number can ever come: there is nothing left for the program to do.
  std::exit(EXIT_SUCCESS);
}
