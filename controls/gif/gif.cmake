# The animated GIF control's portable core (controls/gif) and the programs
# around it: lumora-gif (both builds), and natively the benchmark against
# giflib and, with clang, the libFuzzer target.
set(LUMORA_GIF_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/gif_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lzw_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_composer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_stretch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_player.cpp
)
target_sources(lumora_controls PRIVATE ${LUMORA_GIF_SOURCES})

add_executable(lumora-gif tools/gif/lumora_gif.cpp tools/gif/png_writer.cpp)
target_link_libraries(lumora-gif PRIVATE lumora_controls)

# The libFuzzer target, in a clang build with LUMORA_FUZZ (the sanitize
# preset): the GIF sources compiled again with the fuzzer's coverage.
option(LUMORA_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(LUMORA_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang" AND NOT CMAKE_CROSSCOMPILING)
  add_executable(gif-fuzz ${CMAKE_SOURCE_DIR}/tests/fuzz/gif_fuzz.cpp ${LUMORA_GIF_SOURCES}
                          ${CMAKE_CURRENT_LIST_DIR}/../property_bag.cpp)
  target_include_directories(gif-fuzz PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(gif-fuzz PRIVATE -fsanitize=fuzzer)
  target_link_options(gif-fuzz PRIVATE -fsanitize=fuzzer)
endif()

# Decode and compose throughput against giflib (native, not in the sanitize build).
if(NOT CMAKE_CROSSCOMPILING AND NOT LUMORA_FUZZ)
  find_package(benchmark QUIET)
  find_package(GIF 5 QUIET)
  if(benchmark_FOUND AND GIF_FOUND)
    add_executable(lumora-gif-bench ${CMAKE_SOURCE_DIR}/tools/bench/gif_bench.cpp)
    target_link_libraries(lumora-gif-bench PRIVATE lumora_controls benchmark::benchmark GIF::GIF)
  endif()
endif()
