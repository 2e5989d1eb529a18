# The controls gallery: controls-gallery.exe (Windows) shows the skinned
# controls and a GIF player for looking at them and for the black-box tests;
# controls-gallery-check (native) compares a screenshot of it with the
# portable painters. Included by the top-level CMakeLists.txt.
if(WIN32)
  add_executable(controls-gallery WIN32
    ${CMAKE_CURRENT_LIST_DIR}/win32/controls_gallery.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gallery_layout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/controls_gallery.rc
  )
  target_link_options(controls-gallery PRIVATE -municode)
  target_link_libraries(controls-gallery PRIVATE lumora_controls_win32)
  # The art's resource script names its bitmaps relative to its folder.
  target_include_directories(controls-gallery PRIVATE ${CMAKE_SOURCE_DIR}/controls/art)
  file(GLOB _art ${CMAKE_SOURCE_DIR}/controls/art/*.bmp)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/win32/controls_gallery.rc PROPERTIES
    OBJECT_DEPENDS "${_art};${CMAKE_SOURCE_DIR}/controls/art/control_art.rc")
  include(${CMAKE_SOURCE_DIR}/tests/controls/win32/gallery_tests.cmake)
else()
  add_executable(controls-gallery-check
    ${CMAKE_CURRENT_LIST_DIR}/gallery_check.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gallery_layout.cpp
  )
  target_link_libraries(controls-gallery-check PRIVATE lumora_controls)
  target_compile_definitions(controls-gallery-check PRIVATE LUMORA_CONTROL_ART_DIR="${CMAKE_SOURCE_DIR}/controls/art")
endif()
