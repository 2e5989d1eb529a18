# The help page, Lumora.html: made from release/Lumora.html.in into the
# programs' folder (bin/), where Lumora.scr looks for it and from where the
# package rules take it. The template names its pictures by their paths in
# the source tree; make_help_page.cmake puts each one in as a data: URI and
# the version in its place, so the page is one file that loads nothing else.
# Built by every preset (the native one for its test); included by the
# top-level CMakeLists.txt.

# The version has one home, the header the resource scripts read.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/version.h _version_line REGEX "^#define LUMORA_VERSION_TEXT ")
string(REGEX REPLACE ".*\"([0-9.]+)\".*" "\\1" LUMORA_VERSION "${_version_line}")

set(LUMORA_HELP_PAGE ${CMAKE_BINARY_DIR}/bin/Lumora.html)
set(_help_template ${CMAKE_CURRENT_LIST_DIR}/Lumora.html.in)
# The pictures the template names, so that the page follows them.
file(STRINGS ${_help_template} _help_picture_lines REGEX "@picture:[^@]+@")
set(_help_pictures)
foreach(_line IN LISTS _help_picture_lines)
  string(REGEX MATCHALL "@picture:[^@]+@" _names "${_line}")
  foreach(_name IN LISTS _names)
    string(REGEX REPLACE "^@picture:(.*)@$" "${CMAKE_SOURCE_DIR}/\\1" _path "${_name}")
    list(APPEND _help_pictures ${_path})
  endforeach()
endforeach()
# The template's list of pictures is read when configuring: a new one needs
# a fresh configure, which this asks for.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_help_template})

add_custom_command(OUTPUT ${LUMORA_HELP_PAGE}
  COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${_help_template} -DOUTPUT=${LUMORA_HELP_PAGE}
          -DVERSION=${LUMORA_VERSION} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
          -P ${CMAKE_CURRENT_LIST_DIR}/make_help_page.cmake
  DEPENDS ${_help_template} ${_help_pictures} ${CMAKE_CURRENT_LIST_DIR}/make_help_page.cmake
          ${CMAKE_CURRENT_LIST_DIR}/version.h
  COMMENT "Making the help page Lumora.html"
  VERBATIM)
add_custom_target(help-page ALL DEPENDS ${LUMORA_HELP_PAGE})
