# The release a Windows user downloads: `cmake --build --preset windows
# --target package` makes, in the build folder,
#  - Lumora-<version>-win64.zip, holding a folder of that name with the two
#    programs, stripped, the help page Lumora.html, and a short text in
#    Japanese and English on installing, starting and removing them;
#  - Lumora-<version>-setup.exe, a per-user installer of the same files
#    (makensis, from the script in installer/).
# Included by the top-level CMakeLists.txt for Windows builds only, after
# both programs and the help page (help_page.cmake, which also reads
# LUMORA_VERSION) are defined.

install(TARGETS Lumora LumoraScr RUNTIME DESTINATION .)
install(FILES ${LUMORA_HELP_PAGE} DESTINATION .)
# Notepad on older systems wants CR LF; the file is UTF-8.
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt ${CMAKE_BINARY_DIR}/release/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/release/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Lumora)
set(CPACK_PACKAGE_VENDOR Lumora)
set(CPACK_PACKAGE_VERSION ${LUMORA_VERSION})
set(CPACK_PACKAGE_FILE_NAME Lumora-${LUMORA_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
# CPack looks for NSIS.template.in on the module path before its own, which
# would ask for administrator rights and make a 32-bit installer.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/installer)
set(CPACK_LUMORA_INSTALLER_DIR ${CMAKE_CURRENT_LIST_DIR}/installer)
set(CPACK_LUMORA_ICON ${CMAKE_SOURCE_DIR}/frontend/win32/lumora_scr.ico)
# Read by CPack once per generator: the installer's own file name.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/installer/cpack_per_generator.cmake)
include(CPack)
