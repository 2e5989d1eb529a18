# The custom controls' windows for Windows programs: the Command button, the
# XP scroll bar and the GIF player as child window classes over the portable
# cores in lumora_controls. A program that hosts them links
# lumora_controls_win32 and puts controls/art/control_art.rc into its own
# resource script (the bitmaps the skinned controls paint from). Included by
# the top-level CMakeLists.txt for Windows builds only.

add_library(lumora_controls_win32 STATIC
  ${CMAKE_CURRENT_LIST_DIR}/skin_resources.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_button_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scroll_bar_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_player_window.cpp
)
target_compile_definitions(lumora_controls_win32 PUBLIC UNICODE _UNICODE)
target_link_libraries(lumora_controls_win32 PUBLIC lumora_controls lumora_wide_text user32 gdi32 wininet)
