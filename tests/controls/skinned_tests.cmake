# Tests of the skinned controls' portable part (the Command button, the XP
# scroll bar, their painters and artwork), natively and under Wine. They read
# the committed bitmaps from the source tree (under Wine through its Z: drive).
set(LUMORA_SKINNED_TESTS ${CMAKE_CURRENT_LIST_DIR})
lumora_test(skinned_controls_tests
  ${LUMORA_SKINNED_TESTS}/paint/paint_test.cpp
  ${LUMORA_SKINNED_TESTS}/button/command_test.cpp
  ${LUMORA_SKINNED_TESTS}/scrollbar/scroll_bar_test.cpp
)
target_link_libraries(skinned_controls_tests PRIVATE lumora_controls)
target_compile_definitions(skinned_controls_tests PRIVATE LUMORA_CONTROL_ART_DIR="${CMAKE_SOURCE_DIR}/controls/art")
