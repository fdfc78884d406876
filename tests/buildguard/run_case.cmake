# cmake -DCASE=... -DEXPECT=pass|fail -DMATCH=regex -DWORK=dir -DCMAKE_DIR=dir -P run_case.cmake
file(REMOVE_RECURSE "${WORK}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -S "${CMAKE_CURRENT_LIST_DIR}/fixture" -B "${WORK}"
          -DCASE=${CASE} -DORV_CMAKE_DIR=${CMAKE_DIR}
  RESULT_VARIABLE rv OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(EXPECT STREQUAL "pass" AND NOT rv EQUAL 0)
  message(FATAL_ERROR "configuration of case ${CASE} failed:\n${err}")
endif()
if(EXPECT STREQUAL "fail")
  if(rv EQUAL 0)
    message(FATAL_ERROR "configuration of case ${CASE} passed, but must fail")
  endif()
  if(NOT err MATCHES "${MATCH}")
    message(FATAL_ERROR "case ${CASE} failed without naming '${MATCH}':\n${err}")
  endif()
endif()
