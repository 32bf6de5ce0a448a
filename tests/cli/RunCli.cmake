# Runs one kestrion-cli command and checks its exit status, its standard output against an
# expected file (a golden file; KESTRION_UPDATE_GOLDEN=1 rewrites it) and, when given, a text
# that its standard error must contain.
#   -DCLI=<kestrion-cli> -DARGS=<arguments separated by |> -DSTATUS=<n> [-DEXPECTED=<file>]
#   [-DSTDERR=<text>] -DOUTPUT=<scratch file>
string(REPLACE "|" ";" ARGS "${ARGS}")
execute_process(COMMAND ${CLI} ${ARGS} OUTPUT_FILE ${OUTPUT} ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}; stderr: ${errors}")
endif()
if(DEFINED STDERR AND NOT errors MATCHES "${STDERR}")
  message(FATAL_ERROR "stderr does not match '${STDERR}': ${errors}")
endif()
if(DEFINED EXPECTED)
  if("$ENV{KESTRION_UPDATE_GOLDEN}" STREQUAL "1")
    file(COPY_FILE ${OUTPUT} ${EXPECTED})
    message(STATUS "updated ${EXPECTED}")
  else()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED} RESULT_VARIABLE different)
    if(different)
      execute_process(COMMAND diff ${EXPECTED} ${OUTPUT} OUTPUT_VARIABLE delta)
      string(SUBSTRING "${delta}" 0 3000 delta)
      message(FATAL_ERROR "output differs from ${EXPECTED}:\n${delta}")
    endif()
  endif()
endif()
