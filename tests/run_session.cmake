# Plays one recorded session: feeds <SESSION>.in to PROGRAM, which must end with status 0 and
# write exactly <SESSION>.out, byte for byte. On a difference it shows a unified diff.
# Everything goes through files, never pipes, so nothing the program leaves behind (such as a wine
# server) can hold the test open.
#   -D PROGRAM=<executable>  -D SESSION=<path without extension>  -D ACTUAL=<file to write>
#   [-D EMULATOR=<runner>]   [-D CRLF=ON: expect the line ends of a Windows text stream]
execute_process(COMMAND ${EMULATOR} ${PROGRAM} INPUT_FILE ${SESSION}.in OUTPUT_FILE ${ACTUAL}
  ERROR_FILE ${ACTUAL}.stderr RESULT_VARIABLE status TIMEOUT 30)

# Compared in hex, since reading the files as text would drop every CR.
file(READ ${SESSION}.out expected HEX)
set(line_end "\\\\n")
set(expected_as "")
if(CRLF)
  # Each line feed becomes CR LF. The bytes are spaced apart first, so that only a whole 0a matches.
  string(REGEX REPLACE "(..)" "\\1 " expected "${expected}")
  string(REPLACE "0a " "0d0a" expected "${expected}")
  string(REPLACE " " "" expected "${expected}")
  set(line_end "\\\\r\\\\n")
  set(expected_as " (each line feed as CR LF)")
endif()
file(READ ${ACTUAL} actual HEX)
if(status STREQUAL "0" AND actual STREQUAL expected)
  return()
endif()

# The difference, with each CR and LF spelled out, where GNU sed and diff are at hand.
execute_process(COMMAND sed -z -e "s/\\r/\\\\r/g" -e "s/\\n/${line_end}\\n/g" ${SESSION}.out
  OUTPUT_FILE ${ACTUAL}.expected.shown RESULT_VARIABLE expected_shown)
execute_process(COMMAND sed -z -e "s/\\r/\\\\r/g" -e "s/\\n/\\\\n\\n/g" ${ACTUAL}
  OUTPUT_FILE ${ACTUAL}.shown RESULT_VARIABLE actual_shown)
execute_process(COMMAND diff -u --label expected --label actual ${ACTUAL}.expected.shown
  ${ACTUAL}.shown RESULT_VARIABLE diff_status)
if(NOT "${expected_shown}${actual_shown}" STREQUAL "00" OR NOT diff_status MATCHES "^[01]$")
  message(NOTICE "Showing the difference needs GNU sed and diff.")
endif()
file(READ ${ACTUAL}.stderr errors)
message(FATAL_ERROR "expected: ${SESSION}.out${expected_as}\nactual: ${ACTUAL}\n"
  "exit status ${status}\n${errors}")
