#include "menu/menu.h"

#include <iostream>

#include "input/input.h"

std::int32_t ask_timer_length() {
  std::cout << "How long do you want the timer to run for?\n";
  return read_positive_int();
}
