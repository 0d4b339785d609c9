# Plays one recorded session: feeds <SESSION>.in to PROGRAM, which must end with status 0 and
# write exactly <SESSION>.out, byte for byte. On a difference it shows a unified diff.
# Everything goes through files, never pipes, so nothing the program leaves behind (such as a wine
# server) can hold the test open.
#   -D PROGRAM=<executable>  -D SESSION=<path without extension>  -D ACTUAL=<file to write>
#   [-D EMULATOR=<runner>]   [-D CRLF=ON: expect the line ends of a Windows text stream]
execute_process(COMMAND ${EMULATOR} ${PROGRAM} INPUT_FILE ${SESSION}.in OUTPUT_FILE ${ACTUAL}
  ERROR_FILE ${ACTUAL}.stderr RESULT_VARIABLE status TIMEOUT 30)

file(READ ${SESSION}.out expected)
if(CRLF)
  string(REPLACE "\n" "\r\n" expected "${expected}")
endif()
file(WRITE ${ACTUAL}.expected "${expected}")
# Compares bytes: reading the output back as text could hide its line ends.
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ACTUAL}.expected ${ACTUAL}
  RESULT_VARIABLE differs)
if(status STREQUAL "0" AND NOT differs)
  return()
endif()

# Spells out line ends and other control bytes, so that a wrong line end shows in the diff. Goes
# byte by byte because CMake reads text with each CR LF turned into LF.
function(write_with_line_ends_shown source destination)
  file(READ ${source} hex HEX LIMIT 65536)
  string(REGEX MATCHALL ".." bytes "${hex}")
  set(text "")
  foreach(byte IN LISTS bytes)
    if(byte STREQUAL "0a")
      string(APPEND text "\\n\n")
    elseif(byte STREQUAL "0d")
      string(APPEND text "\\r")
    elseif(byte MATCHES "^[2-7]")
      math(EXPR code "0x${byte}")
      string(ASCII ${code} character)
      string(APPEND text "${character}")
    else()
      string(APPEND text "\\x${byte}")
    endif()
  endforeach()
  file(WRITE ${destination} "${text}")
endfunction()
write_with_line_ends_shown(${ACTUAL}.expected ${ACTUAL}.expected.shown)
write_with_line_ends_shown(${ACTUAL} ${ACTUAL}.shown)
find_program(DIFF diff)
if(DIFF)
  execute_process(COMMAND ${DIFF} -u --label expected --label actual
    ${ACTUAL}.expected.shown ${ACTUAL}.shown)
else()
  file(READ ${ACTUAL}.expected.shown shown_expected)
  file(READ ${ACTUAL}.shown shown_actual)
  message("expected:\n${shown_expected}actual:\n${shown_actual}")
endif()
file(READ ${ACTUAL}.stderr errors)
if(errors)
  string(PREPEND errors "; standard error:\n")
endif()
message(FATAL_ERROR "exit status ${status}${errors}")
