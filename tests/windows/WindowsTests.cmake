# The core's tests on Windows: one program per layer (base, engine, help project, project,
# command line, shipped data) and one with the tests that only Windows has. Each runs whole as
# one test, since starting a process per test case under an emulator costs a second each.
# GoogleTest is built from Debian's sources by the same compiler.
set(QM_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources, built with the Windows compiler")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# GoogleTest builds with its own warnings, not with ours.
get_directory_property(qm_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
add_subdirectory(${QM_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${qm_options}")

# The folders the tests read, as the Windows programs see them: under Wine the root of this
# machine is drive Z:.
if(CMAKE_CROSSCOMPILING)
  set(QM_TEST_DRIVE "Z:")
else()
  set(QM_TEST_DRIVE "")
endif()

# Small programs of ours that stand in for the help compilers, which are not installed here:
# each in a folder of its own, so that a test can put either on PATH.
foreach(compiler hhc chmcmd)
  add_executable(qm_stand_in_${compiler} ${CMAKE_CURRENT_SOURCE_DIR}/windows/stand-ins/StandIn.cpp)
  target_compile_definitions(qm_stand_in_${compiler} PRIVATE UNICODE _UNICODE
    QM_STAND_IN_$<UPPER_CASE:${compiler}>)
  target_link_options(qm_stand_in_${compiler} PRIVATE -municode)
  set_target_properties(qm_stand_in_${compiler} PROPERTIES OUTPUT_NAME ${compiler}
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/stand-ins/${compiler})
endforeach()

set(QM_TEST_PROGRAMS)
foreach(layer base engine helpproject project cli data windows)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${layer}/*.cpp)
  if(layer STREQUAL "windows")
    # The Windows-only tests start quillmark-cli.exe as the command line's tests do.
    list(APPEND sources ${CMAKE_CURRENT_SOURCE_DIR}/cli/CliRunner.cpp)
  endif()
  # The installation test installs the Linux program tree; the compile tests run Linux's
  # chmcmd and the browser test Linux's Chromium (the compile tests' Windows counterparts, with
  # stand-in compilers, are in windows/).
  list(FILTER sources EXCLUDE REGEX "/(InstallTest|CompileTest|ChmCompileTest|ChmReadBackTest|WebHelpBrowserTest)\\.cpp$")
  set(program quillmark_${layer}_tests)
  add_executable(${program} ${sources} ${CMAKE_CURRENT_SOURCE_DIR}/TestEnvironment.cpp)
  target_link_libraries(${program} PRIVATE qm_cli gtest gtest_main)
  target_include_directories(${program} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_definitions(${program} PRIVATE
    QM_SOURCE_DIR="${QM_TEST_DRIVE}${CMAKE_SOURCE_DIR}" QM_BIN_DIR="${QM_TEST_DRIVE}${QM_BIN_DIR}"
    QM_STAND_INS="${QM_TEST_DRIVE}${CMAKE_BINARY_DIR}/stand-ins")
  add_dependencies(${program} quillmark-cli qm_data qm_stand_in_hhc qm_stand_in_chmcmd)
  add_test(NAME ${layer} COMMAND ${program} --gtest_brief=1 WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  list(APPEND QM_TEST_PROGRAMS ${program})
endforeach()
add_custom_target(qm_windows_tests DEPENDS ${QM_TEST_PROGRAMS})

# The example project's pages and help project from quillmark-cli.exe must be byte for byte
# those of the Linux build (build/ beside this one, made by "make build").
set(QM_LINUX_CLI ${CMAKE_SOURCE_DIR}/build/bin/quillmark-cli CACHE FILEPATH
    "The Linux quillmark-cli whose pages the Windows one must match")
if(CMAKE_CROSSCOMPILING_EMULATOR)
  add_test(NAME same-example-pages
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/same-example-pages ${CMAKE_SOURCE_DIR}
                   ${QM_LINUX_CLI} ${QM_BIN_DIR}/quillmark-cli.exe ${CMAKE_CROSSCOMPILING_EMULATOR})
  set_tests_properties(same-example-pages PROPERTIES SKIP_RETURN_CODE 77)
endif()
