#include <cstdint>
#include <iostream>

#include "input/input.h"
#include "menu/menu.h"
#include "timer/timer.h"

namespace {

// The program's whole state, alive for the whole run.
bool running = true;
std::int32_t menu_choice = 0;
std::int32_t timer_seconds = 0;

}  // namespace

int main() {
  std::cout << "Hello user! Welcome to a program that will run a timer for as long as you want.\n";
  do {
    std::cout << "(1) Do a countdown\n(2) Exit program\n";
    menu_choice = read_positive_int();
    if (menu_choice == 1) {
      timer_seconds = ask_timer_length();
      countdown(timer_seconds);
    } else if (menu_choice == 2) {
      running = false;
    } else {
      std::cout << "please, please, please just gimme a 1 or 2\n";
    }
  } while (running);
  return 0;
}
