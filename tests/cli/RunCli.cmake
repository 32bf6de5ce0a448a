# Runs one kestrion-cli command and checks its exit status, its standard output against an
# expected file (a golden file; KESTRION_UPDATE_GOLDEN=1 rewrites it), when given a text that
# its standard error must contain, and a log file it writes against another golden file, with
# the time stamps of the log's own lines masked.
#   -DCLI=<kestrion-cli> -DARGS=<arguments separated by |> -DSTATUS=<n> -DOUTPUT=<scratch file>
#   [-DEXPECTED=<file>] [-DSTDERR=<text>] [-DWORKDIR=<dir>] [-DLOG=<file> -DLOG_EXPECTED=<file>]
#   [-DWRAP=<a command and its arguments separated by |, which runs kestrion-cli>]
string(REPLACE "|" ";" ARGS "${ARGS}")
string(REPLACE "|" ";" WRAP "${WRAP}")
if(NOT DEFINED WORKDIR)
  set(WORKDIR ${CMAKE_CURRENT_BINARY_DIR})
endif()
if(DEFINED LOG)
  file(REMOVE ${LOG})
endif()
execute_process(COMMAND ${WRAP} ${CLI} ${ARGS} OUTPUT_FILE ${OUTPUT} ERROR_VARIABLE errors RESULT_VARIABLE status
                WORKING_DIRECTORY ${WORKDIR})
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}; stderr: ${errors}")
endif()
if(DEFINED STDERR AND NOT errors MATCHES "${STDERR}")
  message(FATAL_ERROR "stderr does not match '${STDERR}': ${errors}")
endif()

function(compare actual expected)
  if("$ENV{KESTRION_UPDATE_GOLDEN}" STREQUAL "1")
    file(COPY_FILE ${actual} ${expected})
    message(STATUS "updated ${expected}")
    return()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${actual} ${expected} RESULT_VARIABLE different)
  if(different)
    execute_process(COMMAND diff ${expected} ${actual} OUTPUT_VARIABLE delta)
    string(SUBSTRING "${delta}" 0 3000 delta)
    message(FATAL_ERROR "output differs from ${expected}:\n${delta}")
  endif()
endfunction()

if(DEFINED EXPECTED)
  compare(${OUTPUT} ${EXPECTED})
endif()
if(DEFINED LOG_EXPECTED)
  file(READ ${LOG} text)
  string(REGEX REPLACE "(log file opened|Log file closed|Start Auto-saving:) [^\n]*" "\\1 <time>" text "${text}")
  file(WRITE ${LOG}.masked "${text}")
  compare(${LOG}.masked ${LOG_EXPECTED})
endif()
