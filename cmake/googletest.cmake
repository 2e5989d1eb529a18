# GoogleTest from the distribution's source package, built with this
# toolchain (so the same tests run natively and, cross-compiled, under Wine).
set(LUMORA_GTEST_SRC /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${LUMORA_GTEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Our -Wall -Wextra reach these sources too, and GCC 12 reports a false
# -Wrestrict inside gtest.cc: nothing we could act on, so keep it quiet.
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)
# One ctest entry per test executable: Wine starts a handful of times, not
# once per test case.
function(lumora_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE lumora_core GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
