# cmake -DCASE=... -DEXPECT=pass|fail -DMATCH=regex -DWORK=dir -DCMAKE_DIR=dir -P run_case.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/ExpectOutcome.cmake)
file(REMOVE_RECURSE "${WORK}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -S "${CMAKE_CURRENT_LIST_DIR}/fixture" -B "${WORK}"
          -DCASE=${CASE} -DORV_CMAKE_DIR=${CMAKE_DIR}
  RESULT_VARIABLE rv OUTPUT_VARIABLE out ERROR_VARIABLE err)
orv_expect_outcome("${rv}" "${err}" "${EXPECT}" "${MATCH}" "configuration of case ${CASE}")
