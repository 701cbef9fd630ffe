# Builds compile probes and checks each outcome:
#   cmake -DBUILD_DIR=build -DPROBES=qm_probe_a=fail,qm_probe_b=pass -DFAIL_PATTERN=regex
#         -DPASSED=text -P CheckProbes.cmake
# A "fail" probe must stop with a compiler message that matches FAIL_PATTERN, so that it cannot
# fail for another reason; a "pass" probe must compile. PASSED is the line printed when all hold.
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
    string(APPEND wrong "${target} compiled, but it must not\n")
  elseif(NOT out MATCHES "${FAIL_PATTERN}")
    string(APPEND wrong "${target} failed for another reason than the one it probes:\n${out}\n")
  endif()
endforeach()
if(wrong)
  message(FATAL_ERROR "${wrong}")
endif()
message(STATUS "${PASSED}")
