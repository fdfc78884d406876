# Helpers that every folder uses to declare its target.

set(ORV_WARNINGS -Wall -Wextra -Wformat=2 -Werror)

function(orv_warnings target)
  target_compile_options(${target} PRIVATE ${ORV_WARNINGS})
endfunction()

# orv_add_layer(name SOURCES ... LINKS ...)
# A layer without sources yet stays an interface target, so that the layers
# above it can already name it.
function(orv_add_layer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_BINARY_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    orv_warnings(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src ${PROJECT_BINARY_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_LINKS})
  endif()
endfunction()

# orv_add_test(name SOURCES ... LINKS ...): one GoogleTest executable, its cases
# registered with CTest and run with the program and state directories inside
# the build tree.
function(orv_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} orv_test_support GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  orv_warnings(${name})
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${ORV_TEST_ENV}")
endfunction()

include(GoogleTest)
set(ORV_TEST_ENV
  "QT_QPA_PLATFORM=offscreen"
  "ORVTOOL_HOME=${PROJECT_BINARY_DIR}/testhome"
  "XDG_CONFIG_HOME=${PROJECT_BINARY_DIR}/testxdg"
  "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
