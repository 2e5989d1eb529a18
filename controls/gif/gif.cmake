# The animated GIF control's portable core (controls/gif) and the programs
# around it: lumora-gif (both builds), and natively the benchmark against
# giflib and, with clang, the libFuzzer target.
target_sources(lumora_controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/gif_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lzw_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_composer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_stretch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_player.cpp
)

add_executable(lumora-gif tools/gif/lumora_gif.cpp tools/gif/png_writer.cpp)
target_link_libraries(lumora-gif PRIVATE lumora_controls)
