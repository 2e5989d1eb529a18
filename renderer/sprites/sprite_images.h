// Texel images of the sprites and the mipmap chains of the larger textures,
// computed on the CPU; the GL layer only uploads them.
#pragma once

#include <cstdint>
#include <vector>

namespace lumora {

enum class GeneratedSprite { Star, FlareDisc, Glow, Spark };

constexpr int kSpriteSize = 128;

// 128 x 128 RGBA, rows one after the other. For row i, column j:
// u = (i - 64) / 64, w = (j - 64) / 64, q = u^2 + w^2; bytes are x * 255
// computed in float and truncated.
std::vector<uint8_t> makeSpriteImage(GeneratedSprite sprite);

// Luminance 255 with the stored coverage as alpha: 64 x 64, two bytes a texel.
std::vector<uint8_t> makeSmokeImage(const uint8_t* mask);

// The next mipmap level of a square power-of-two image with `components`
// bytes a texel: each texel the mean of a 2 x 2 block (a box filter).
std::vector<uint8_t> halveImage(const std::vector<uint8_t>& image, int size, int components);

}  // namespace lumora
