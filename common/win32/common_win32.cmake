# The ground floor's Windows part, for every Windows program: UTF-8 <-> UTF-16
# conversion (the handle owners and the debug-log line are headers only) and
# the settings store in the per-user registry. Included by the top-level
# CMakeLists.txt for Windows builds only.
add_library(lumora_wide_text STATIC ${CMAKE_CURRENT_LIST_DIR}/wide_text.cpp)
target_include_directories(lumora_wide_text PUBLIC ${CMAKE_SOURCE_DIR})

add_library(lumora_registry_store STATIC ${CMAKE_SOURCE_DIR}/common/settings/win32/registry_store.cpp)
target_compile_definitions(lumora_registry_store PRIVATE UNICODE _UNICODE)
target_link_libraries(lumora_registry_store PUBLIC lumora_settings lumora_wide_text advapi32)
