# The release a Windows user downloads: `cmake --build --preset windows
# --target package` makes Lumora-<version>-win64.zip in the build folder,
# holding a folder of that name with the two programs, stripped, the help
# page Lumora.html, and a short text in Japanese and English on installing,
# starting and removing them. Included by the top-level CMakeLists.txt for
# Windows builds only, after both programs and the help page
# (help_page.cmake, which also reads LUMORA_VERSION) are defined.

install(TARGETS Lumora LumoraScr RUNTIME DESTINATION .)
install(FILES ${LUMORA_HELP_PAGE} DESTINATION .)
# Notepad on older systems wants CR LF; the file is UTF-8.
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt ${CMAKE_BINARY_DIR}/release/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/release/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Lumora)
set(CPACK_PACKAGE_VENDOR Lumora)
set(CPACK_PACKAGE_VERSION ${LUMORA_VERSION})
set(CPACK_PACKAGE_FILE_NAME Lumora-${LUMORA_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
