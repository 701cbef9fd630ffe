# "make package-windows": quillmark-cli.exe with its program folder as one zip,
# quillmark-VERSION-windows.zip in the build folder. It holds bin\ (the program, the tables,
# "Extra Files", the web help's shared files), Templates\, the example project and LIESMICH.txt (CR LF line ends, as
# Windows editors expect).
set(QM_WIN_PACKAGE quillmark-${PROJECT_VERSION}-windows)
set(QM_WIN_STAGE ${CMAKE_BINARY_DIR}/package/${QM_WIN_PACKAGE})
set(QM_VERSION ${PROJECT_VERSION})
configure_file(${CMAKE_SOURCE_DIR}/data/windows/LIESMICH.txt ${CMAKE_BINARY_DIR}/LIESMICH.txt
               @ONLY NEWLINE_STYLE CRLF)
add_custom_target(package-windows
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/package
  COMMAND ${CMAKE_COMMAND} -E make_directory "${QM_WIN_STAGE}/bin/Extra Files"
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quillmark-cli> ${QM_TABLES} ${QM_WIN_STAGE}/bin/
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${QM_BIN_DIR}/webhelp ${QM_WIN_STAGE}/bin/webhelp
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/Templates ${QM_WIN_STAGE}/Templates
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/examples/example.qmpr ${QM_WIN_STAGE}/examples/example.qmpr
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/examples/src ${QM_WIN_STAGE}/examples/src
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/LIESMICH.txt ${QM_WIN_STAGE}/
  COMMAND ${CMAKE_COMMAND} -E rm -f ${CMAKE_BINARY_DIR}/${QM_WIN_PACKAGE}.zip
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/package
          ${CMAKE_COMMAND} -E tar cf ${CMAKE_BINARY_DIR}/${QM_WIN_PACKAGE}.zip --format=zip
          ${QM_WIN_PACKAGE}
  COMMAND ${CMAKE_COMMAND} -E echo "${CMAKE_BINARY_DIR}/${QM_WIN_PACKAGE}.zip"
  DEPENDS quillmark-cli qm_data
  VERBATIM)
