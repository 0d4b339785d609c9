# Plays one recorded session: feeds <SESSION>.in to PROGRAM and compares what it writes, byte for
# byte, with <SESSION>.out and its exit status with <SESSION>.status.
# Input and output go through files, never pipes, so nothing the program leaves behind can hold
# the test open.
#   -D PROGRAM=<executable>  -D SESSION=<path without extension>  -D ACTUAL=<file to write>
#   [-D EMULATOR=<runner>]   [-D CRLF=ON: expect the line ends of a Windows text stream]
cmake_minimum_required(VERSION 3.25)

execute_process(
  COMMAND ${EMULATOR} ${PROGRAM}
  INPUT_FILE ${SESSION}.in
  OUTPUT_FILE ${ACTUAL}
  RESULT_VARIABLE status
  TIMEOUT 30)

file(READ ${SESSION}.out expected)
file(READ ${ACTUAL} actual)
file(STRINGS ${SESSION}.status expected_status LIMIT_COUNT 1)
if(CRLF)
  string(REPLACE "\n" "\r\n" expected "${expected}")
endif()

if(NOT status STREQUAL expected_status)
  message(FATAL_ERROR "exit status ${status}, expected ${expected_status}")
endif()
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "output differs\n--- expected\n${expected}\n--- actual\n${actual}\n---")
endif()
