# Part of "cmake --install": the manual pages with "@PREFIX@" replaced by the prefix they are
# installed under, compressed when gzip is there. Set by cmake/Install.cmake before it runs:
# QM_MAN_PAGES (the built pages), QM_GZIP, QM_MAN_STAGING (a folder of the build) and
# QM_MAN_DESTINATION (relative to the prefix).
file(MAKE_DIRECTORY ${QM_MAN_STAGING})
set(staged)
foreach(page IN LISTS QM_MAN_PAGES)
  get_filename_component(name ${page} NAME)
  file(READ ${page} text)
  string(REPLACE "@PREFIX@" "${CMAKE_INSTALL_PREFIX}" text "${text}")
  file(WRITE ${QM_MAN_STAGING}/${name} "${text}")
  if(QM_GZIP)
    execute_process(COMMAND ${QM_GZIP} -9nf ${QM_MAN_STAGING}/${name} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "gzip could not compress ${QM_MAN_STAGING}/${name}")
    endif()
    set(name ${name}.gz)
  endif()
  list(APPEND staged ${QM_MAN_STAGING}/${name})
endforeach()
file(INSTALL DESTINATION ${CMAKE_INSTALL_PREFIX}/${QM_MAN_DESTINATION} TYPE FILE FILES ${staged})
