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
  ERROR_FILE ${ACTUAL}.stderr
  RESULT_VARIABLE status
  TIMEOUT 30)

file(STRINGS ${SESSION}.status expected_status LIMIT_COUNT 1)
if(NOT status STREQUAL expected_status)
  message(FATAL_ERROR "exit status ${status}, expected ${expected_status}")
endif()

set(expected ${SESSION}.out)
if(CRLF)
  file(READ ${expected} text)
  string(REPLACE "\n" "\r\n" text "${text}")
  set(expected ${ACTUAL}.expected)
  file(WRITE ${expected} "${text}")
endif()
# Compares bytes: reading the files as text would hide their line ends.
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${expected} ${ACTUAL} RESULT_VARIABLE differs)
if(differs)
  file(READ ${ACTUAL} text)
  message(FATAL_ERROR "output differs from ${expected}:\n${text}")
endif()
