# Part of "cmake --install": the manual pages with "@PREFIX@" replaced by the prefix they are
# installed under, compressed when gzip is there. Set by cmake/Install.cmake before it runs:
# QM_MAN_PAGES (the built pages), QM_GZIP, QM_MAN_STAGING (a folder of the build) and
# QM_MAN_DESTINATION (relative to the prefix).
# Each install stages in a folder of its own: two installs from one build at once (into two
# destinations) would otherwise compress each other's pages away.
string(RANDOM LENGTH 12 stage)
set(stage ${QM_MAN_STAGING}/${stage})
file(MAKE_DIRECTORY ${stage})
set(staged)
foreach(page IN LISTS QM_MAN_PAGES)
  get_filename_component(name ${page} NAME)
  file(READ ${page} text)
  string(REPLACE "@PREFIX@" "${CMAKE_INSTALL_PREFIX}" text "${text}")
  file(WRITE ${stage}/${name} "${text}")
  if(QM_GZIP)
    execute_process(COMMAND ${QM_GZIP} -9nf ${stage}/${name} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "gzip could not compress ${stage}/${name}")
    endif()
    set(name ${name}.gz)
  endif()
  list(APPEND staged ${stage}/${name})
endforeach()
file(INSTALL DESTINATION ${CMAKE_INSTALL_PREFIX}/${QM_MAN_DESTINATION} TYPE FILE FILES ${staged})
file(REMOVE_RECURSE ${stage})
