// The image data shipped inside the renderer: five 64 x 64 smoke coverage
// masks (4096 bytes each, row by row) and the 512 x 512 luminance-alpha cloud
// image (2 bytes a texel). Made once by tools/datagen and embedded as bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lumora {

constexpr std::size_t kSmokeMaskBytes = 5 * 64 * 64;
constexpr std::size_t kCloudImageBytes = 512 * 512 * 2;

const uint8_t* smokeMaskData();
std::size_t smokeMaskSize();  // as embedded; kSmokeMaskBytes unless the data is broken
const uint8_t* cloudImageData();
std::size_t cloudImageSize();

}  // namespace lumora
