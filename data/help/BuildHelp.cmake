# Makes the desktop program's help file Quillmark.Doc.chm from the documentation blocks in the
# HTML sources beside this script (data/help/*.htm), the way a user makes the help of a program:
#   1. the sources are copied as Windows-1252 text, which Quillmark reads (they are UTF-8 in
#      the repository), with "@CLI_HELP@" replaced by the output of "quillmark-cli --help", so
#      that the page about the command line shows the program's own help text;
#   2. quillmark-cli saves the help's project (Quillmark.qmpr here: templates and help-project
#      values) with these folders, converts it and writes the help project;
#   3. chmcmd compiles the help project inside the output folder.
#
#   cmake -DCLI=quillmark-cli -DCHMCMD=chmcmd -DICONV=iconv -DSOURCE_DIR=repository
#         -DWORK_DIR=folder [-DTARGET_DIR=folder] [-DSTRICT=ON] -P BuildHelp.cmake
#
# The pages and the help project go to WORK_DIR/html, the compiled file also to TARGET_DIR.
# Warnings of the conversion or of chmcmd fail the script when STRICT is on and are printed
# otherwise; errors always fail it.
cmake_minimum_required(VERSION 3.20)

foreach(var CLI CHMCMD ICONV SOURCE_DIR WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "BuildHelp.cmake: ${var} is not set")
  endif()
endforeach()

set(help_project ${SOURCE_DIR}/data/help/Quillmark.qmpr)
set(src ${WORK_DIR}/src)
set(html ${WORK_DIR}/html)
set(chm Quillmark.Doc.chm)

# A finding that is no error: fatal when STRICT, else printed.
function(report_warnings what text)
  if(STRICT)
    message(FATAL_ERROR "${what}:\n${text}")
  else()
    message(WARNING "${what}:\n${text}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${src} ${html} ${WORK_DIR}/utf8)

# The command line's help text as one line of block text: each line break becomes the escape
# "\n" (a backslash of the text doubled, so that it stays one), which the page gets back as a
# line break, so the text keeps its lines and indentation inside <PRE>.
execute_process(COMMAND ${CLI} --help
  OUTPUT_VARIABLE cli_help ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "quillmark-cli --help failed:\n${err}")
endif()
string(REPLACE "\\" "\\\\" cli_help "${cli_help}")
string(REPLACE "\n" "\\n" cli_help "${cli_help}")

# 1. The sources as Windows-1252 text; iconv refuses a character it lacks.
file(GLOB sources ${SOURCE_DIR}/data/help/*.htm)
foreach(file ${sources})
  get_filename_component(name ${file} NAME)
  file(READ ${file} text)
  string(REPLACE "@CLI_HELP@" "${cli_help}" text "${text}")
  file(WRITE ${WORK_DIR}/utf8/${name} "${text}")
  execute_process(COMMAND ${ICONV} -f UTF-8 -t WINDOWS-1252 ${WORK_DIR}/utf8/${name}
    OUTPUT_FILE ${src}/${name} ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${file} cannot be read as Windows-1252 text: ${err}")
  endif()
endforeach()

# 2. Convert and write the help project.
execute_process(COMMAND ${CLI} save --from ${help_project} --input ${src} --output ${html}
    ${WORK_DIR}/Quillmark.qmpr
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "quillmark-cli save failed:\n${out}${err}")
endif()
execute_process(COMMAND ${CLI} convert --yes --help-project ${WORK_DIR}/Quillmark.qmpr
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "quillmark-cli convert failed:\n${out}${err}")
endif()
# Everything comes on stderr: each warning as "...: Warnung: ...", then the summary line that
# counts the conversion's warnings.
if(NOT "${out}${err}" MATCHES ", 0 Warnung\\(en\\)" OR "${out}${err}" MATCHES "Warnung:")
  report_warnings("Converting the help sources gave warnings" "${out}${err}")
endif()

# 3. Compile. chmcmd ends with 0 also after errors, so its output is read.
execute_process(COMMAND ${CHMCMD} Quillmark.Doc.hhp WORKING_DIRECTORY ${html}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
string(REGEX MATCHALL "[^\n]*(Error|Warning)[^\n]*" findings "${out}${err}")
if(NOT rc EQUAL 0 OR NOT EXISTS ${html}/${chm})
  message(FATAL_ERROR "chmcmd failed:\n${out}${err}")
endif()
if(findings)
  string(REPLACE ";" "\n" findings "${findings}")
  if(findings MATCHES "Error")
    message(FATAL_ERROR "chmcmd reported errors:\n${findings}")
  endif()
  report_warnings("chmcmd reported warnings" "${findings}")
endif()

if(DEFINED TARGET_DIR)
  file(COPY ${html}/${chm} DESTINATION ${TARGET_DIR})
endif()
