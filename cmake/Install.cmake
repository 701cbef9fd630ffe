# "cmake --install": the program folder laid out as the programs look for it, under any prefix
# (DESTDIR respected):
#   lib/quillmark/bin/        the programs, the tables, the map-file heads, the help file,
#                             and the proposed folder "Extra Files"
#   lib/quillmark/Templates/  the eight templates ("../Templates/" beside the program folder)
#   bin/                      links to the programs; each program finds its folder through
#                             the resolved link
# and the desktop entry, the file type of project files, the icons, the manual pages and the
# example.
set(QM_INSTALL_PROGRAM_DIR lib/quillmark/bin)
set(QM_INSTALL_TEMPLATE_DIR lib/quillmark/Templates)
set(QM_INSTALL_DOC_DIR share/doc/quillmark)
set(QM_INSTALL_MAN_DIR share/man/man1)

set(QM_INSTALLED_PROGRAMS quillmark-cli)
foreach(program quillmark quillmark-help)
  if(TARGET ${program})
    list(APPEND QM_INSTALLED_PROGRAMS ${program})
  endif()
endforeach()

install(TARGETS ${QM_INSTALLED_PROGRAMS} RUNTIME DESTINATION ${QM_INSTALL_PROGRAM_DIR})
install(FILES ${QM_TABLES} DESTINATION ${QM_INSTALL_PROGRAM_DIR})
install(FILES ${QM_WEBHELP_FILES} DESTINATION ${QM_INSTALL_PROGRAM_DIR}/webhelp)
install(FILES ${QM_TEMPLATES} DESTINATION ${QM_INSTALL_TEMPLATE_DIR})
install(DIRECTORY DESTINATION "${QM_INSTALL_PROGRAM_DIR}/Extra Files")
# The program's own help file, installed when the build has made it.
install(FILES ${QM_BIN_DIR}/Quillmark.Doc.chm DESTINATION ${QM_INSTALL_PROGRAM_DIR} OPTIONAL)

# Relative links, so that the tree works wherever DESTDIR and the prefix put it.
set(QM_LINK_DIR ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${QM_LINK_DIR})
foreach(program ${QM_INSTALLED_PROGRAMS})
  file(CREATE_LINK ../${QM_INSTALL_PROGRAM_DIR}/${program} ${QM_LINK_DIR}/${program} SYMBOLIC)
  install(FILES ${QM_LINK_DIR}/${program} DESTINATION bin)
endforeach()

# Manual pages: each program's template with the program's own --help text in it, so the two
# cannot drift apart (scripts/make-manpage runs the built program). The folders they name lie
# under the prefix, which is known only when installing ("cmake --install --prefix", the
# package's /usr): the built pages keep "@PREFIX@", and cmake/InstallManPages.cmake fills it
# in and compresses the pages as Debian wants them when gzip is there.
find_program(QM_GZIP gzip)
set(QM_MAN_PAGES)
foreach(program ${QM_INSTALLED_PROGRAMS})
  set(template ${CMAKE_SOURCE_DIR}/data/man/${program}.1.in)
  set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/make-manpage $<TARGET_FILE:${program}> ${template}
            ${page} ${PROJECT_VERSION} @PREFIX@
    DEPENDS ${program} ${template} ${CMAKE_SOURCE_DIR}/scripts/make-manpage
    COMMENT "Manual page ${program}(1)" VERBATIM)
  list(APPEND QM_MAN_PAGES ${page})
endforeach()
add_custom_target(qm_man ALL DEPENDS ${QM_MAN_PAGES})
install(CODE "set(QM_MAN_PAGES \"${QM_MAN_PAGES}\")
set(QM_GZIP \"${QM_GZIP}\")
set(QM_MAN_STAGING \"${CMAKE_BINARY_DIR}/man/installed\")
set(QM_MAN_DESTINATION \"${QM_INSTALL_MAN_DIR}\")")
install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/InstallManPages.cmake)

# Desktop integration of the desktop program: its entry (which names the file type, so a file
# manager opens project files with it), the file type of "*.qmpr" and the icon at the sizes
# that "make images" draws into data/icons/.
if(TARGET quillmark)
  install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/quillmark.desktop DESTINATION share/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/quillmark.xml DESTINATION share/mime/packages)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/data/icons/quillmark-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quillmark.png)
  endforeach()
endif()

# The example: the sources and the project file, whose folders are relative to the folder
# that holds "examples".
install(FILES ${CMAKE_SOURCE_DIR}/examples/example.qmpr DESTINATION ${QM_INSTALL_DOC_DIR}/examples)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/src DESTINATION ${QM_INSTALL_DOC_DIR}/examples)

# The install test installs the build folder, so everything installed is built before it.
if(TARGET quillmark_tests)
  add_dependencies(quillmark_tests qm_man)
endif()
