# Generates the constant text tables from res/text/ with the textgen tool and
# adds them to a target. Each catalogue is named with its last number and the
# code page its texts are stored in.

set(ORV_TEXT_DATA_DIR ${CMAKE_CURRENT_LIST_DIR}/text)

function(orv_add_text_tables target)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/texttables)
  file(MAKE_DIRECTORY ${out_dir})
  set(generated "")
  foreach(entry IN ITEMS "ResourceTXT 1668 cp1252" "resErrorText 718 cp1252"
                        "resError2 303 cp1252" "ResKonstText 393 cp437")
    separate_arguments(parts UNIX_COMMAND "${entry}")
    list(GET parts 0 name)
    list(GET parts 1 last)
    list(GET parts 2 codepage)
    add_custom_command(
      OUTPUT ${out_dir}/${name}.cpp
      COMMAND textgen catalogue ${name} ${last} ${codepage} ${ORV_TEXT_DATA_DIR}/${name}.txt ${out_dir}/${name}.cpp
      DEPENDS textgen ${ORV_TEXT_DATA_DIR}/${name}.txt
      COMMENT "Generating the ${name} table"
      VERBATIM)
    list(APPEND generated ${out_dir}/${name}.cpp)
  endforeach()
  add_custom_command(
    OUTPUT ${out_dir}/LangStrings.cpp
    COMMAND textgen langstrings LangStrings ${ORV_TEXT_DATA_DIR}/LangStrings.txt ${out_dir}/LangStrings.cpp
    DEPENDS textgen ${ORV_TEXT_DATA_DIR}/LangStrings.txt
    COMMENT "Generating the language-string table"
    VERBATIM)
  list(APPEND generated ${out_dir}/LangStrings.cpp)

  # The ids by name, for every layer: msg:: language strings, res::
  # ResourceTXT, xerr:: resErrorText, err2:: resError2, konst:: ResKonstText.
  set(ids_header ${CMAKE_CURRENT_BINARY_DIR}/core/CatalogueIds.h)
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/core)
  set(d ${ORV_TEXT_DATA_DIR})
  add_custom_command(
    OUTPUT ${ids_header}
    COMMAND textgen ids ${ids_header} msg:lang:${d}/LangStrings.txt
            res:ResourceTXT:1668:cp1252:${d}/ResourceTXT.txt xerr:resErrorText:718:cp1252:${d}/resErrorText.txt
            err2:resError2:303:cp1252:${d}/resError2.txt konst:ResKonstText:393:cp437:${d}/ResKonstText.txt
    DEPENDS textgen ${d}/LangStrings.txt ${d}/ResourceTXT.txt ${d}/resErrorText.txt ${d}/resError2.txt
            ${d}/ResKonstText.txt
    COMMENT "Generating the catalogue id names"
    VERBATIM)
  list(APPEND generated ${ids_header})
  # Each table names its texts t0, t1, … in its own file.
  set_source_files_properties(${generated} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
  target_sources(${target} PRIVATE ${generated})
endfunction()
