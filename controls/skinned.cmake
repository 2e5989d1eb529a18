# The skinned controls' portable part: the Command button and the XP scroll
# bar (state machines and painters), the painting helpers and skin loader
# they share, and natively the tool that draws their artwork (run by hand;
# its output in controls/art is committed).
target_sources(lumora_controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/paint/pixel_image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paint/dib_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paint/skin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/button/button_face.cpp
  ${CMAKE_CURRENT_LIST_DIR}/button/command_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scrollbar/thumb_colours.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scrollbar/scroll_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scrollbar/scroll_bar_drawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scrollbar/scroll_bar.cpp
)

if(NOT CMAKE_CROSSCOMPILING)
  add_executable(make-control-art ${CMAKE_SOURCE_DIR}/tools/datagen/make_control_art.cpp)
  target_include_directories(make-control-art PRIVATE ${CMAKE_SOURCE_DIR})
endif()
