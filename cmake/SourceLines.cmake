# orv_source_lines(path out): the lines of a source file as a CMake list, one
# item per line. The characters that CMake lists treat specially are masked
# (\ ; [ ] as <bs> <sc> <lb> <rb>), so that item n is line n + 1.
function(orv_source_lines path out)
  file(READ "${path}" content)
  string(REPLACE "\\" "<bs>" content "${content}")
  string(REPLACE ";" "<sc>" content "${content}")
  string(REPLACE "[" "<lb>" content "${content}")
  string(REPLACE "]" "<rb>" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()
