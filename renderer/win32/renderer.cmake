# The renderer program for Windows, shipped as Lumora.dll: an ordinary GUI
# executable whatever its extension (the front end starts it by that name).
# Included by the top-level CMakeLists.txt for Windows builds only.
enable_language(RC)
include(${CMAKE_CURRENT_LIST_DIR}/../app/app.cmake)

# The registry reader on its own, so its test links the very code the
# program runs.
add_library(lumora_registry_settings STATIC ${CMAKE_CURRENT_LIST_DIR}/registry_settings.cpp)
target_link_libraries(lumora_registry_settings PUBLIC lumora_core advapi32)

add_executable(Lumora WIN32
  ${CMAKE_CURRENT_LIST_DIR}/saver_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/saver_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cover_windows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gl_device.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sound_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lumora.rc
)
set_target_properties(Lumora PROPERTIES OUTPUT_NAME Lumora SUFFIX ".dll")
# The entry is wWinMain.
target_link_options(Lumora PRIVATE -municode)
target_link_libraries(Lumora PRIVATE lumora_app lumora_registry_settings lumora_gl lumora_sound
  opengl32 winmm gdi32 user32 advapi32)
# The resource script includes the shared version resource from release/.
target_include_directories(Lumora PRIVATE ${CMAKE_SOURCE_DIR}/release)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/lumora.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/lumora.ico;${CMAKE_CURRENT_LIST_DIR}/lumora.manifest;${CMAKE_SOURCE_DIR}/release/version.rc;${CMAKE_SOURCE_DIR}/release/version.h")

# Tests (the top-level file sets up GoogleTest before including this one).
# The portable pieces' tests come along unless the tests tree has them.
if(COMMAND lumora_test)
  if(NOT TARGET renderer_app_tests)
    include(${CMAKE_SOURCE_DIR}/tests/renderer/app/CMakeLists.txt)
  endif()
  include(${CMAKE_SOURCE_DIR}/tests/renderer/win32/CMakeLists.txt)
endif()
