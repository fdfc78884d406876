# cmake -DSRC_DIR=dir -DEXPECT=pass|fail -DMATCH=text -DCHECK=script -P run_case.cmake
# Runs a source check on a tree; a failing run must name MATCH.
execute_process(
  COMMAND ${CMAKE_COMMAND} -DSRC_DIR=${SRC_DIR} -P ${CHECK}
  RESULT_VARIABLE rv OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(EXPECT STREQUAL "pass" AND NOT rv EQUAL 0)
  message(FATAL_ERROR "the check failed on ${SRC_DIR}:\n${err}")
endif()
if(EXPECT STREQUAL "fail")
  if(rv EQUAL 0)
    message(FATAL_ERROR "the check passed on ${SRC_DIR}, but must fail")
  endif()
  string(FIND "${err}" "${MATCH}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the check failed on ${SRC_DIR} without naming '${MATCH}':\n${err}")
  endif()
endif()
