# The Windows front end, Lumora.scr: a GUI executable with the screen-saver
# extension that rests in the notification area and starts the renderer
# (Lumora.dll) beside it. Included by the top-level CMakeLists.txt for
# Windows builds only, after GoogleTest is set up.
enable_language(RC)

# Everything but the entry, so the tests link the very code the program runs.
add_library(lumora_frontend_win32 STATIC
  ${CMAKE_CURRENT_LIST_DIR}/program_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/winmm_mci.cpp
  ${CMAKE_CURRENT_LIST_DIR}/renderer_launcher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/power_and_logon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tray_icon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zoom.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resident_form.cpp
)
target_compile_definitions(lumora_frontend_win32 PUBLIC UNICODE _UNICODE)
target_link_libraries(lumora_frontend_win32 PUBLIC lumora_core lumora_wide_text lumora_registry_store lumora_settings_form lumora_controls_win32
  shell32 user32 gdi32 winmm advapi32 comctl32 comdlg32 ole32)

add_executable(LumoraScr WIN32
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lumora_scr.rc
)
set_target_properties(LumoraScr PROPERTIES OUTPUT_NAME Lumora SUFFIX ".scr")
# The entry is wWinMain.
target_link_options(LumoraScr PRIVATE -municode)
target_link_libraries(LumoraScr PRIVATE lumora_frontend_win32)
# The resource script includes the shared version resource from release/,
# the controls' bitmaps from controls/art and the settings dialog's artwork
# from frontend/art.
target_include_directories(LumoraScr PRIVATE ${CMAKE_SOURCE_DIR}/release ${CMAKE_SOURCE_DIR}/controls/art
  ${CMAKE_SOURCE_DIR}/frontend/art)
file(GLOB _control_art ${CMAKE_SOURCE_DIR}/controls/art/*.bmp ${CMAKE_SOURCE_DIR}/frontend/art/*.bmp
  ${CMAKE_SOURCE_DIR}/frontend/art/*.gif ${CMAKE_SOURCE_DIR}/frontend/art/dialog_art.rc)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/lumora_scr.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/lumora_scr.ico;${CMAKE_CURRENT_LIST_DIR}/lumora_scr.manifest;${CMAKE_SOURCE_DIR}/release/version.rc;${CMAKE_SOURCE_DIR}/release/version.h;${_control_art};${CMAKE_SOURCE_DIR}/controls/art/control_art.rc")

include(${CMAKE_SOURCE_DIR}/tests/frontend/win32/win32_tests.cmake)
