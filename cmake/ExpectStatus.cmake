# cmake -DCOMMAND=<program;args> -DSTATUS=<n> -DSTDERR=<text> [-DTHEN=<regex>] -P ExpectStatus.cmake
# Runs the program and checks its exit status and the first line of its error output
# (with THEN, that the lines after it match the regular expression).
execute_process(COMMAND ${COMMAND} RESULT_VARIABLE status ERROR_VARIABLE err OUTPUT_QUIET)
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}")
endif()
string(REGEX REPLACE "\n.*" "" first_line "${err}")
if(NOT first_line STREQUAL STDERR)
  message(FATAL_ERROR "error output '${first_line}', expected '${STDERR}'")
endif()
if(DEFINED THEN)
  string(FIND "${err}" "\n" newline)
  math(EXPR after "${newline} + 1")
  string(SUBSTRING "${err}" ${after} -1 rest)
  if(newline EQUAL -1 OR NOT rest MATCHES "${THEN}")
    message(FATAL_ERROR "error output after the first line '${rest}', expected to match '${THEN}'")
  endif()
endif()
