# Makes the help page from its template (run by help_page.cmake's build
# rule as `cmake -P`): "@LUMORA_VERSION@" becomes VERSION, and each
# "@picture:PATH@" a data: URI holding the file SOURCE_DIR/PATH, base64
# encoded (by coreutils' base64: CMake has no encoder of its own). A name
# left over, a missing picture or an unknown kind of picture stops the build.
#
#   cmake -DTEMPLATE=... -DOUTPUT=... -DVERSION=1.0.0 -DSOURCE_DIR=... -P make_help_page.cmake
foreach(_var TEMPLATE OUTPUT VERSION SOURCE_DIR)
  if(NOT DEFINED ${_var})
    message(FATAL_ERROR "make_help_page: ${_var} is not set")
  endif()
endforeach()

file(READ ${TEMPLATE} page)
string(REPLACE "@LUMORA_VERSION@" "${VERSION}" page "${page}")

string(REGEX MATCHALL "@picture:[^@]+@" names "${page}")
list(REMOVE_DUPLICATES names)
foreach(name IN LISTS names)
  string(REGEX REPLACE "^@picture:(.*)@$" "\\1" path "${name}")
  if(path MATCHES "\\.png$")
    set(type image/png)
  elseif(path MATCHES "\\.ico$")
    set(type image/x-icon)
  else()
    message(FATAL_ERROR "make_help_page: ${path}: not a .png or .ico picture")
  endif()
  execute_process(COMMAND base64 -w 0 ${SOURCE_DIR}/${path}
                  OUTPUT_VARIABLE data RESULT_VARIABLE rc ERROR_VARIABLE error)
  if(NOT rc EQUAL 0 OR data STREQUAL "")
    message(FATAL_ERROR "make_help_page: cannot read ${SOURCE_DIR}/${path}: ${error}")
  endif()
  string(REPLACE "${name}" "data:${type};base64,${data}" page "${page}")
endforeach()

if(page MATCHES "@[A-Za-z_:]+[^@ ]*@")
  message(FATAL_ERROR "make_help_page: ${TEMPLATE} names something unknown: ${CMAKE_MATCH_0}")
endif()
file(WRITE ${OUTPUT} "${page}")
