# cmake -DSRC_DIR=dir -P CatalogueIdCheck.cmake
# Catalogue entries are called by their generated names (model/core/CatalogueIds.h),
# so that a reader sees what a call says. Fails naming file and line where a
# call that takes a catalogue id is given a bare number instead; 0, which
# stands for "no entry", is not an id.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/SourceLines.cmake)

get_filename_component(SRC_DIR "${SRC_DIR}" ABSOLUTE)
if(NOT IS_DIRECTORY "${SRC_DIR}")
  message(FATAL_ERROR "no source folder '${SRC_DIR}'")
endif()

# The id is the first argument of these calls, the second of LogLineId and
# the last of the reader's field helpers.
string(JOIN "|" first_arg XError resErrorText ResourceTXT resError2 ResKonstText ShowMessage ShowInternalError
       AskYesNo LoadLangString FindLangText LangText L)
set(number "[ \t]*[1-9][0-9]*[ \t]*")
set(patterns
  "(^|[^A-Za-z0-9_])(${first_arg})[ \t]*\\(${number}[,)]"
  "(^|[^A-Za-z0-9_])LogLineId[ \t]*\\([^,()]*,${number}[,)]"
  "(^|[^A-Za-z0-9_])(ReadSetting|ReadChoice|ReadHlpKind)[ \t]*\\([^()]*,${number}\\)")

file(GLOB_RECURSE files RELATIVE "${SRC_DIR}" "${SRC_DIR}/*.h" "${SRC_DIR}/*.cpp")
list(SORT files)
set(errors "")
foreach(rel IN LISTS files)
  orv_source_lines("${SRC_DIR}/${rel}" lines)
  set(line_no 0)
  foreach(line IN LISTS lines)
    math(EXPR line_no "${line_no} + 1")
    foreach(pattern IN LISTS patterns)
      if(line MATCHES "${pattern}")
        string(STRIP "${line}" shown)
        string(REPLACE "<sc>" "" shown "${shown}")
        list(APPEND errors "src/${rel}:${line_no}: a catalogue id by bare number: ${shown}")
        break()
      endif()
    endforeach()
  endforeach()
endforeach()

if(errors)
  list(JOIN errors "\n  " text)
  message(FATAL_ERROR "Catalogue id check failed:\n  ${text}")
endif()
