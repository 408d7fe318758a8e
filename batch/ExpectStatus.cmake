# cmake -DCOMMAND=<program;args> -DSTATUS=<n> -DSTDERR=<text> -P ExpectStatus.cmake
# Runs the program and checks its exit status and the first line of its error output.
execute_process(COMMAND ${COMMAND} RESULT_VARIABLE status ERROR_VARIABLE err OUTPUT_QUIET)
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}")
endif()
string(REGEX REPLACE "\n.*" "" first_line "${err}")
if(NOT first_line STREQUAL STDERR)
  message(FATAL_ERROR "error output '${first_line}', expected '${STDERR}'")
endif()
