# Builds the layer probes of tests/CMakeLists.txt and checks each outcome:
#   cmake -DBUILD_DIR=build -DPROBES=qm_probe_a=fail,qm_probe_b=pass -P CheckLayers.cmake
# A "fail" probe must stop because its header is not found; a "pass" probe must compile.
set(wrong "")
string(REPLACE "," ";" PROBES "${PROBES}")
foreach(probe ${PROBES})
  string(REPLACE "=" ";" parts "${probe}")
  list(GET parts 0 target)
  list(GET parts 1 expected)
  # The compiler's messages in English, whatever the user's locale.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C
      ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${target}
    OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE rc)
  if(expected STREQUAL "pass")
    if(NOT rc EQUAL 0)
      string(APPEND wrong "${target} should compile:\n${out}\n")
    endif()
  elseif(rc EQUAL 0)
    string(APPEND wrong "${target} compiled, but its include is of a layer it must not see\n")
  elseif(NOT out MATCHES "No such file or directory|file not found")
    string(APPEND wrong "${target} failed for another reason than its include:\n${out}\n")
  endif()
endforeach()
if(wrong)
  message(FATAL_ERROR "${wrong}")
endif()
message(STATUS "Every layer sees only the layers below it")
