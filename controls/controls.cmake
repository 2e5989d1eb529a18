# The custom controls of the front end, their portable part: the property
# store, the state machines, the painters and the GIF decoder. No platform
# headers. Included by the top-level CMakeLists.txt for every build; each
# control adds its sources in a fragment of its own folder.
add_library(lumora_controls STATIC ${CMAKE_CURRENT_LIST_DIR}/property_bag.cpp)
target_link_libraries(lumora_controls PUBLIC lumora_core)

include(${CMAKE_CURRENT_LIST_DIR}/skinned.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/gif/gif.cmake OPTIONAL)
