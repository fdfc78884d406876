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

# What nearly every test file includes, parsed once per build instead of once
# per file.
set(ORV_TEST_PCH_HEADERS
  <algorithm> <cstdint> <filesystem> <functional> <map> <memory> <optional>
  <set> <string> <string_view> <vector>
  <gtest/gtest.h>
  [["tools/cfggen/ByteBuilder.h"]] [["tools/cfggen/DrvBuilders.h"]]
  [["support/FrameFixture.h"]] [["tools/cfggen/FwBuilders.h"]]
  [["support/PrjBuilder.h"]] [["support/TempDir.h"]])

# GCC before 13 loses libstdc++'s own "#pragma GCC diagnostic" suppressions
# when the library headers come from a precompiled header, and then reports
# the false positives on string copies those pragmas hide. The same three
# warnings are off where a precompiled header is used.
set(ORV_TEST_OPTIONS "")
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  set(ORV_TEST_OPTIONS -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread)
endif()

# A test fixture in a file's anonymous namespace is the base of the test
# classes GoogleTest declares outside it; GCC warns of that only when the file
# is included, as a batch of the unity build does.
if(ORV_UNITY AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND ORV_TEST_OPTIONS -Wno-subobject-linkage)
endif()

# The sanitizer build's time goes into the library code under test; the test
# programs' own code, heavy with assertion macros, compiles at half the cost
# with -Og and runs hardly slower.
if(ORV_SANITIZE)
  list(APPEND ORV_TEST_OPTIONS -Og)
endif()

# orv_add_test_pch(name [HEADERS ...] [LINKS ...]): a do-nothing test program
# that owns the precompiled header of the test programs naming it in PCH. A
# header is only reused by targets compiled with the same options, which is
# why every test program gets its options from orv_add_test.
function(orv_add_test_pch name)
  cmake_parse_arguments(ARG "" "" "HEADERS;LINKS" ${ARGN})
  add_executable(${name} ${PROJECT_SOURCE_DIR}/tests/support/PchHost.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest)
  target_include_directories(${name} PRIVATE
    ${PROJECT_SOURCE_DIR}/src ${PROJECT_BINARY_DIR}/src ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR})
  orv_warnings(${name})
  target_compile_options(${name} PRIVATE ${ORV_TEST_OPTIONS})
  target_precompile_headers(${name} PRIVATE ${ORV_TEST_PCH_HEADERS} ${ARG_HEADERS})
endfunction()

# orv_add_test(name SOURCES ... LINKS ... [PCH host] [SHARDS n]): one
# GoogleTest executable, run by CTest in n shards (2 unless named) with the
# program and state directories inside the build tree. A sanitizer program
# takes about half a second to start, so a process per case would cost more
# than the cases; GoogleTest deals the cases round-robin, so the sweeps that
# sit side by side in a suite land in different shards. To run one case:
# <program> --gtest_filter=Suite.Case. It reuses the precompiled header of the
# host (orv_test_pch unless named).
function(orv_add_test name)
  cmake_parse_arguments(ARG "" "PCH;SHARDS" "SOURCES;LINKS" ${ARGN})
  if(NOT ARG_PCH)
    set(ARG_PCH orv_test_pch)
  endif()
  if(NOT ARG_SHARDS)
    set(ARG_SHARDS 2)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} orv_test_support GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  orv_warnings(${name})
  target_compile_options(${name} PRIVATE ${ORV_TEST_OPTIONS})
  target_precompile_headers(${name} REUSE_FROM ${ARG_PCH})
  math(EXPR last "${ARG_SHARDS} - 1")
  foreach(shard RANGE ${last})
    set(test_name "${name}:${shard}/${ARG_SHARDS}")
    add_test(NAME ${test_name} COMMAND ${name})
    set_tests_properties(${test_name} PROPERTIES ENVIRONMENT
      "${ORV_TEST_ENV};GTEST_TOTAL_SHARDS=${ARG_SHARDS};GTEST_SHARD_INDEX=${shard}")
  endforeach()
endfunction()

set(ORV_TEST_ENV
  "QT_QPA_PLATFORM=offscreen"
  "ORVTOOL_HOME=${PROJECT_BINARY_DIR}/testhome"
  "XDG_CONFIG_HOME=${PROJECT_BINARY_DIR}/testxdg"
  "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
  "TSAN_OPTIONS=halt_on_error=1")
