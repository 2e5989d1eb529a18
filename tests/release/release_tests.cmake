# Tests of the release, run under Wine. Included by the top-level
# CMakeLists.txt after both programs (and the front end's test helpers).
#
# - release_resources_tests: what both Windows programs carry as resources.
# - installer_package, installer_test: CPack makes the installer from this
#   build into a folder of its own (the package target is not part of a
#   build), then the script installs, upgrades and uninstalls it in a
#   private Wine prefix and X server. The script is handed Wine: a command
#   that is not a target gets no emulator in front.
lumora_test(release_resources_tests ${CMAKE_CURRENT_LIST_DIR}/win32/program_resources_test.cpp)
target_link_libraries(release_resources_tests PRIVATE version lumora_controls)
target_compile_definitions(release_resources_tests PRIVATE LUMORA_CONTROL_ART_DIR="${CMAKE_SOURCE_DIR}/controls/art")
add_dependencies(release_resources_tests Lumora LumoraScr)

set(_installer_dir ${CMAKE_BINARY_DIR}/installer-test)
# Emptied first, so that the folder never holds an older version's installer.
add_test(NAME installer_package
  COMMAND sh -c "rm -rf \"$0\" && exec \"$1\" -G NSIS --config \"$2\" -B \"$0\""
          ${_installer_dir} ${CMAKE_CPACK_COMMAND} ${CMAKE_BINARY_DIR}/CPackConfig.cmake)
set_tests_properties(installer_package PROPERTIES FIXTURES_SETUP installer TIMEOUT 300)
add_test(NAME installer_test
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/installer/installer_test.sh
          ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:LumoraScr> $<TARGET_FILE:renderer_standin>
          $<TARGET_FILE:shell_probe> ${_installer_dir})
# Timed like the front end's black-box scripts: never beside another test.
set_tests_properties(installer_test PROPERTIES FIXTURES_REQUIRED installer TIMEOUT 400 RUN_SERIAL TRUE
  SKIP_RETURN_CODE 77)
