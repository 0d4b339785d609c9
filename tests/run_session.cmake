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

# The difference, with each CR and LF spelled out, where GNU sed and diff are at hand.
foreach(output IN ITEMS ${ACTUAL}.expected ${ACTUAL})
  execute_process(COMMAND sed -z -e "s/\\r/\\\\r/g" -e "s/\\n/\\\\n\\n/g" ${output}
    OUTPUT_FILE ${output}.shown)
endforeach()
execute_process(COMMAND diff -u --label expected --label actual ${ACTUAL}.expected.shown
  ${ACTUAL}.shown)
file(READ ${ACTUAL}.stderr errors)
message(FATAL_ERROR "exit status ${status}\n${errors}")
