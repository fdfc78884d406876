# cmake -DSRC_DIR=dir -P CatalogueIdCheck.cmake
# Catalogue entries are called by their generated names (model/CatalogueIds.h),
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
# the last of the reader's field helpers. An id chosen by a condition is an id
# too: each arm of the choice is checked, the second also where it opens the
# next line.
string(JOIN "|" first_arg XError resErrorText ResourceTXT resError2 ResKonstText ShowMessage ShowInternalError
       AskYesNo LoadLangString FindLangText LangText L)
set(number "[ \t]*[1-9][0-9]*[ \t]*")
set(first_call "(^|[^A-Za-z0-9_])(${first_arg})[ \t]*\\(")
set(second_call "(^|[^A-Za-z0-9_])LogLineId[ \t]*\\([^,()]*,")
set(last_call "(^|[^A-Za-z0-9_])(ReadSetting|ReadChoice|ReadHlpKind|ReadRange|OpenHlpTemplate)[ \t]*\\([^()]*,")
# The condition of a choice may call functions; an arm ends at a comma or at
# the end of the call.
set(condition "[^,?]*\\?")
set(patterns
  "${first_call}${number}[,)]"
  "${second_call}${number}[,)]"
  "${last_call}${number}\\)")
foreach(call IN ITEMS "${first_call}" "${second_call}" "${last_call}")
  list(APPEND patterns "${call}${condition}${number}:" "${call}${condition}[^,]*[^:]:${number}[,)]")
  list(APPEND open_choices "${call}${condition}[^,]*$")
endforeach()
set(second_arm "^[ \t]*:${number}[,)]")

file(GLOB_RECURSE files RELATIVE "${SRC_DIR}" "${SRC_DIR}/*.h" "${SRC_DIR}/*.cpp")
list(SORT files)
set(errors "")
foreach(rel IN LISTS files)
  orv_source_lines("${SRC_DIR}/${rel}" lines)
  set(line_no 0)
  set(choice_open FALSE)
  foreach(line IN LISTS lines)
    math(EXPR line_no "${line_no} + 1")
    set(bare FALSE)
    foreach(pattern IN LISTS patterns)
      if(line MATCHES "${pattern}")
        set(bare TRUE)
        break()
      endif()
    endforeach()
    if(choice_open AND line MATCHES "${second_arm}")
      set(bare TRUE)
    endif()
    if(bare)
      string(STRIP "${line}" shown)
      string(REPLACE "<sc>" "" shown "${shown}")
      list(APPEND errors "src/${rel}:${line_no}: a catalogue id by bare number: ${shown}")
    endif()
    set(choice_open FALSE)
    foreach(pattern IN LISTS open_choices)
      if(line MATCHES "${pattern}")
        set(choice_open TRUE)
        break()
      endif()
    endforeach()
  endforeach()
endforeach()

if(errors)
  list(JOIN errors "\n  " text)
  message(FATAL_ERROR "Catalogue id check failed:\n  ${text}")
endif()
