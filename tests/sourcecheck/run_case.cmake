# cmake -DSRC_DIR=dir -DEXPECT=pass|fail -DMATCH=regex -DCHECK=script -P run_case.cmake
# Runs a source check on a tree; a failing run must name MATCH.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/ExpectOutcome.cmake)
execute_process(
  COMMAND ${CMAKE_COMMAND} -DSRC_DIR=${SRC_DIR} -P ${CHECK}
  RESULT_VARIABLE rv OUTPUT_VARIABLE out ERROR_VARIABLE err)
orv_expect_outcome("${rv}" "${err}" "${EXPECT}" "${MATCH}" "the check on ${SRC_DIR}")
