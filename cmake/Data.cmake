# Installation data copied into the program-folder layout: the tables beside the programs in
# bin/, the templates in Templates/ (cmake/Install.cmake installs the same files). Every file
# in data/ is shipped data, so the rules live here.
file(GLOB QM_TABLES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*.txt)
file(GLOB QM_TEMPLATES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/Templates/*.htt)
set(QM_DATA_STAMPS)
foreach(f ${QM_TABLES})
  get_filename_component(n ${f} NAME)
  add_custom_command(OUTPUT ${QM_BIN_DIR}/${n}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${f} ${QM_BIN_DIR}/${n} DEPENDS ${f})
  list(APPEND QM_DATA_STAMPS ${QM_BIN_DIR}/${n})
endforeach()
foreach(f ${QM_TEMPLATES})
  get_filename_component(n ${f} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/Templates/${n}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${f} ${CMAKE_BINARY_DIR}/Templates/${n} DEPENDS ${f})
  list(APPEND QM_DATA_STAMPS ${CMAKE_BINARY_DIR}/Templates/${n})
endforeach()
add_custom_target(qm_data ALL DEPENDS ${QM_DATA_STAMPS})
# The proposed folder of additional files, beside the programs as in an installation.
file(MAKE_DIRECTORY "${QM_BIN_DIR}/Extra Files")

# The desktop program's help, Quillmark.Doc.chm in the program folder: the documentation
# blocks of data/help/*.htm converted by quillmark-cli and compiled by chmcmd
# (data/help/BuildHelp.cmake).
# Without chmcmd or iconv everything else still builds, and the build says so.
# A cross build does not make it: its quillmark-cli cannot run here without an emulator.
if(NOT CMAKE_CROSSCOMPILING)
  find_program(QM_CHMCMD chmcmd)
  find_program(QM_ICONV iconv)
endif()
set(QM_HELP_FILE ${QM_BIN_DIR}/Quillmark.Doc.chm)
if(QM_CHMCMD AND QM_ICONV)
  file(GLOB QM_HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/help/*.htm)
  add_custom_command(OUTPUT ${QM_HELP_FILE}
    COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:quillmark-cli> -DCHMCMD=${QM_CHMCMD}
      -DICONV=${QM_ICONV} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DWORK_DIR=${CMAKE_BINARY_DIR}/help
      -DTARGET_DIR=${QM_BIN_DIR} -DSTRICT=ON -P ${CMAKE_SOURCE_DIR}/data/help/BuildHelp.cmake
    DEPENDS quillmark-cli qm_data ${QM_HELP_SOURCES} ${CMAKE_SOURCE_DIR}/data/help/Quillmark.qmpr
      ${CMAKE_SOURCE_DIR}/data/help/BuildHelp.cmake
    COMMENT "Making the help file Quillmark.Doc.chm"
    VERBATIM)
  add_custom_target(qm_help ALL DEPENDS ${QM_HELP_FILE})
else()
  message(STATUS "chmcmd or iconv not found: the help file Quillmark.Doc.chm is not made")
  add_custom_target(qm_help ALL
    COMMAND ${CMAKE_COMMAND} -E echo
      "chmcmd or iconv not found: the help file Quillmark.Doc.chm was not made"
    VERBATIM)
endif()

# The web help's script and style sheet, and the search library it uses (Debian's libjs-lunr),
# in webhelp/ beside the programs; every web help gets a copy of them.
file(GLOB QM_WEBHELP_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/webhelp/*)
# The library is data of the build machine, also when cross-building: not looked for under the
# target's root.
find_file(QM_LUNR lunr.min.js PATHS /usr/share/javascript/lunr NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH)
if(QM_LUNR)
  list(APPEND QM_WEBHELP_FILES ${QM_LUNR})
else()
  message(STATUS "lunr.min.js not found (libjs-lunr): web helps will lack their search library")
endif()
set(QM_WEBHELP_STAMPS)
foreach(f ${QM_WEBHELP_FILES})
  get_filename_component(n ${f} NAME)
  add_custom_command(OUTPUT ${QM_BIN_DIR}/webhelp/${n}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${f} ${QM_BIN_DIR}/webhelp/${n} DEPENDS ${f})
  list(APPEND QM_WEBHELP_STAMPS ${QM_BIN_DIR}/webhelp/${n})
endforeach()
add_custom_target(qm_webhelp_data ALL DEPENDS ${QM_WEBHELP_STAMPS})
add_dependencies(qm_data qm_webhelp_data)
