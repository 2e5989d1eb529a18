# Tests of the animated GIF core: the player's rules, and the decoder test
# suite (natively also against giflib, which is never shipped), natively and
# under Wine; the black-box test of lumora-gif natively.
set(LUMORA_GIF_TESTS ${CMAKE_CURRENT_LIST_DIR})
lumora_test(gif_tests
  ${LUMORA_GIF_TESTS}/gif_player_test.cpp
  ${LUMORA_GIF_TESTS}/gif_suite_test.cpp
)
target_link_libraries(gif_tests PRIVATE lumora_controls)
target_compile_definitions(gif_tests PRIVATE LUMORA_GIF_SUITE_DIR="${LUMORA_GIF_TESTS}/suite"
  LUMORA_GIF_CASES_DIR="${LUMORA_GIF_TESTS}/cases")
if(NOT CMAKE_CROSSCOMPILING)
  find_package(GIF 5 REQUIRED)
  target_link_libraries(gif_tests PRIVATE GIF::GIF)
  target_compile_definitions(gif_tests PRIVATE LUMORA_WITH_GIFLIB)
endif()

# lumora-gif from outside; the Windows build's against the native one.
if(CMAKE_CROSSCOMPILING)
  set(LUMORA_NATIVE_GIF ${CMAKE_SOURCE_DIR}/build/native/bin/lumora-gif
      CACHE FILEPATH "Native lumora-gif the Windows one is compared with")
  add_test(NAME lumora_gif_native_vs_wine
    COMMAND bash ${LUMORA_GIF_TESTS}/lumora_gif_test.sh ${LUMORA_GIF_TESTS}/suite ${LUMORA_NATIVE_GIF}
            ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:lumora-gif>)
else()
  add_test(NAME lumora_gif_cli
    COMMAND bash ${LUMORA_GIF_TESTS}/lumora_gif_test.sh ${LUMORA_GIF_TESTS}/suite $<TARGET_FILE:lumora-gif>)
endif()
