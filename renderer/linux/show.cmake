# lumora-show: the show in a full-screen SDL2 window with a GLX/EGL context.
# Included by the top-level file on non-Windows builds, after lumora-render.
#
# Without SDL2 (libsdl2-dev) the program is left out with a note rather than
# failing the whole build; the headless tools and tests do not need it.

pkg_check_modules(SDL2 QUIET IMPORTED_TARGET sdl2)
find_package(OpenGL QUIET COMPONENTS OpenGL)
if(NOT SDL2_FOUND OR NOT TARGET OpenGL::GL)
  message(STATUS "lumora-show left out: SDL2 or the OpenGL library was not found (libsdl2-dev, libgl-dev)")
  return()
endif()

# The window-free decisions (arguments, settings path, input rules), apart
# so that their tests need no display.
add_library(lumora_show_control STATIC renderer/linux/show_control.cpp)
target_include_directories(lumora_show_control PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(lumora_show_control PUBLIC PkgConfig::SDL2)

add_executable(lumora-show renderer/linux/lumora_show.cpp)
target_link_libraries(lumora-show PRIVATE lumora_show_control lumora_gl lumora_sound OpenGL::GL)

# Tests: the decisions natively; the program itself under a private Xvfb,
# driven with xdotool (skipped, status 77, where either is missing).
if(COMMAND lumora_test)
  lumora_test(show_control_tests tests/renderer/linux/show_control_test.cpp)
  target_link_libraries(show_control_tests PRIVATE lumora_show_control)
  add_test(NAME show_input
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/renderer/linux/show_input_test.sh $<TARGET_FILE:lumora-show>)
  set_tests_properties(show_input PROPERTIES TIMEOUT 240 SKIP_RETURN_CODE 77)
endif()
