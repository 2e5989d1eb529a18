# The renderer program's portable pieces: the window's input rules, the
# pixel-format choice, the covers of the other monitors and taking the
# foreground. Included by the Windows program's build and by the
# tests of these pieces; defined once however often it is included.
if(NOT TARGET lumora_app)
  add_library(lumora_app STATIC
    ${CMAKE_CURRENT_LIST_DIR}/saver_input.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pixel_format.cpp
    ${CMAKE_CURRENT_LIST_DIR}/monitor_covers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/foreground.cpp
  )
  target_include_directories(lumora_app PUBLIC ${CMAKE_SOURCE_DIR})
endif()
