# Tests of the Windows front end, run under Wine. Included by
# frontend/win32/frontend.cmake from the top directory, hence the full paths.
#
# - frontend_win32_tests: the registry store, text conversion, file tests and
#   the icon resource, against the real registry and file system.
# - music_winmm_test: the music module over the real winmm, with a null ALSA
#   device and a short MP3 made at test time (its script prepares both).
# A script's command is not a target, so it gets no emulator in front: the
# script is handed Wine.
set(_dir ${CMAKE_CURRENT_LIST_DIR})

lumora_test(frontend_win32_tests
  ${_dir}/registry_store_test.cpp
  ${_dir}/program_files_test.cpp
)
target_link_libraries(frontend_win32_tests PRIVATE lumora_frontend_win32)
add_dependencies(frontend_win32_tests LumoraScr)

add_executable(music_winmm_test ${_dir}/music_winmm_test.cpp)
target_link_libraries(music_winmm_test PRIVATE lumora_frontend_win32 GTest::gtest_main)
add_test(NAME music_winmm_test
  COMMAND bash ${_dir}/music_winmm_test.sh ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:music_winmm_test>)
set_tests_properties(music_winmm_test PROPERTIES TIMEOUT 300)
