# The settings form's portable part (its layout and rules), built over the
# controls' property store, and natively the tool that draws the form's
# artwork (run by hand; its output in frontend/art is committed).
add_library(lumora_settings_form STATIC
  ${CMAKE_CURRENT_LIST_DIR}/settings_form_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_form.cpp
)
target_link_libraries(lumora_settings_form PUBLIC lumora_core lumora_controls)

if(NOT CMAKE_CROSSCOMPILING)
  add_executable(make-dialog-art ${CMAKE_SOURCE_DIR}/tools/datagen/make_dialog_art.cpp)
  target_link_libraries(make-dialog-art PRIVATE lumora_controls)
endif()
