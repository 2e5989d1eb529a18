# Tests of what both Windows programs carry as resources, run under Wine.
# Included by the top-level CMakeLists.txt after both programs.
lumora_test(release_resources_tests ${CMAKE_CURRENT_LIST_DIR}/win32/program_resources_test.cpp)
target_link_libraries(release_resources_tests PRIVATE version lumora_controls)
target_compile_definitions(release_resources_tests PRIVATE LUMORA_CONTROL_ART_DIR="${CMAKE_SOURCE_DIR}/controls/art")
add_dependencies(release_resources_tests Lumora LumoraScr)
