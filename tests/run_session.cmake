# Plays one recorded session: feeds <SESSION>.in to PROGRAM (through EMULATOR, if any), which must
# end with status 0, take at least a second for each number that <SESSION>.out shows it counting
# down, and write exactly <SESSION>.out, byte for byte (with CRLF=1, each line feed as CR LF, as a
# Windows text stream writes it). It is played again with its output on a full device, which must
# not keep it from going through the whole session, as its exit status and its time show.
# Everything goes through files in the current folder, never pipes, so nothing the program leaves
# behind (such as a wine server) can hold the test open.
get_filename_component(actual ${SESSION}.actual NAME)
# string(TIMESTAMP) gives SOURCE_DATE_EPOCH where that is set, as package builds set it.
unset(ENV{SOURCE_DATE_EPOCH})
file(STRINGS ${SESSION}.out counted REGEX "^[0-9]+$")
list(LENGTH counted seconds)
foreach(output IN ITEMS ${actual} /dev/full)
  string(TIMESTAMP start "%s%f")
  execute_process(COMMAND ${EMULATOR} ${PROGRAM} INPUT_FILE ${SESSION}.in OUTPUT_FILE ${output}
    ERROR_FILE ${actual}.stderr RESULT_VARIABLE status TIMEOUT 30)
  string(TIMESTAMP end "%s%f")
  if(NOT status STREQUAL "0")
    file(READ ${actual}.stderr errors)
    message(FATAL_ERROR "Writing to ${output}, exit status ${status}\n${errors}")
  endif()
  math(EXPR early "${start} + ${seconds} * 1000000 - ${end}")
  if(early GREATER 0)
    message(FATAL_ERROR "Writing to ${output}, ${seconds} s of countdown ended ${early} µs early.")
  endif()
endforeach()

# Compared in hex, since reading the files as text would drop every CR.
file(READ ${SESSION}.out expected HEX)
if(CRLF)
  # Each line feed becomes CR LF. The bytes are spaced apart first, so that only a whole 0a matches.
  string(REGEX REPLACE "(..)" "\\1 " expected "${expected}")
  string(REPLACE "0a " "0d0a" expected "${expected}")
  string(REPLACE " " "" expected "${expected}")
  set(line_ends ", with CR LF for each line feed")
endif()
file(READ ${actual} written HEX)
if(NOT written STREQUAL expected)
  execute_process(COMMAND diff -u --strip-trailing-cr ${SESSION}.out ${actual})
  message(FATAL_ERROR "${CMAKE_CURRENT_BINARY_DIR}/${actual} is not ${SESSION}.out${line_ends}.")
endif()
