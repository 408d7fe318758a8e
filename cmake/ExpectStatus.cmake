# cmake -DCOMMAND=<program;args> -DSTATUS=<n> -DSTDERR=<text> [-DONE_LINE=ON] -P ExpectStatus.cmake
# Runs the program and checks its exit status and the first line of its error output
# (with ONE_LINE, that the error output is that line alone).
execute_process(COMMAND ${COMMAND} RESULT_VARIABLE status ERROR_VARIABLE err OUTPUT_QUIET)
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}")
endif()
string(REGEX REPLACE "\n.*" "" first_line "${err}")
if(NOT first_line STREQUAL STDERR)
  message(FATAL_ERROR "error output '${first_line}', expected '${STDERR}'")
endif()
if(ONE_LINE AND NOT err STREQUAL "${STDERR}\n")
  message(FATAL_ERROR "error output has more than one line: '${err}'")
endif()
