# orv_expect_outcome(rv err expect match what): the verdict on a run of a
# check that is tried on a fixture. expect is "pass" or "fail"; a failing run
# must name match (a regular expression) in err. `what` names the run.
function(orv_expect_outcome rv err expect match what)
  if(expect STREQUAL "pass" AND NOT rv EQUAL 0)
    message(FATAL_ERROR "${what} failed:\n${err}")
  endif()
  if(expect STREQUAL "fail")
    if(rv EQUAL 0)
      message(FATAL_ERROR "${what} passed, but must fail")
    endif()
    if(NOT err MATCHES "${match}")
      message(FATAL_ERROR "${what} failed without naming '${match}':\n${err}")
    endif()
  endif()
endfunction()
