# Tests of the Windows front end, run under Wine. Included by
# frontend/win32/frontend.cmake from the top directory, hence the full paths.
#
# - frontend_win32_tests: the file tests and the icon resource, against the
#   real file system.
# - music_winmm_test: the music module over the real winmm, with a null ALSA
#   device and a short MP3 made at test time (its script prepares both).
# - scr_*: Lumora.scr driven as a user would, in a private Wine prefix and
#   X server each, with a stand-in renderer (start-up, tray, shows and
#   alarms, the settings dialog).
# A script's command is not a target, so it gets no emulator in front: the
# scripts are handed Wine.
set(_dir ${CMAKE_CURRENT_LIST_DIR})

lumora_test(frontend_win32_tests ${_dir}/program_files_test.cpp)
target_link_libraries(frontend_win32_tests PRIVATE lumora_frontend_win32)
add_dependencies(frontend_win32_tests LumoraScr)

add_executable(music_winmm_test ${_dir}/music_winmm_test.cpp)
target_link_libraries(music_winmm_test PRIVATE lumora_frontend_win32 GTest::gtest_main)
add_test(NAME music_winmm_test
  COMMAND bash ${_dir}/music_winmm_test.sh ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:music_winmm_test>)
set_tests_properties(music_winmm_test PROPERTIES TIMEOUT 300)

# A renderer for the black-box tests: a window titled Lumora_VC that logs
# how it was started and closes on a click or WM_CLOSE.
add_executable(renderer_standin WIN32 ${_dir}/renderer_standin.cpp)
target_compile_definitions(renderer_standin PRIVATE UNICODE _UNICODE)
target_link_options(renderer_standin PRIVATE -municode)
target_link_libraries(renderer_standin PRIVATE user32)

# The shell's side: removing the icon and announcing a restarted taskbar.
add_executable(shell_probe ${_dir}/shell_probe.cpp)
target_compile_definitions(shell_probe PRIVATE UNICODE _UNICODE)
target_link_options(shell_probe PRIVATE -municode)
target_link_libraries(shell_probe PRIVATE shell32 user32)

foreach(script scr_startup_test scr_tray_test scr_show_test scr_settings_test)
  add_test(NAME ${script}
    COMMAND bash ${_dir}/${script}.sh
            ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:LumoraScr> $<TARGET_FILE:renderer_standin>
            $<TARGET_FILE:shell_probe>)
  # Each script has its own prefix and X server, but they are timed: never
  # beside another test.
  set_tests_properties(${script} PROPERTIES TIMEOUT 400 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
endforeach()
