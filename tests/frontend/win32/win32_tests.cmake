# Tests of the Windows front end, run under Wine. Included by
# frontend/win32/frontend.cmake from the top directory, hence the full paths.
#
# - frontend_win32_tests: the registry store, text conversion, file tests and
#   the icon resource, against the real registry and file system.
set(_dir ${CMAKE_CURRENT_LIST_DIR})

lumora_test(frontend_win32_tests
  ${_dir}/registry_store_test.cpp
  ${_dir}/program_files_test.cpp
)
target_link_libraries(frontend_win32_tests PRIVATE lumora_frontend_win32)
add_dependencies(frontend_win32_tests LumoraScr)
