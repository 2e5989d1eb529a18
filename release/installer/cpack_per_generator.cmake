# What differs between the release's two packages, read by CPack before each
# generator runs (CPACK_GENERATOR names the one running). The installer is
# Lumora-<version>-setup.exe, and its files go straight into the install
# folder: no top-level folder as in the zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "Lumora-${CPACK_PACKAGE_VERSION}-setup")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
endif()
