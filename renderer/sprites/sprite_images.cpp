// Sprite texel formulas and mipmap halving; see sprite_images.h.
#include "renderer/sprites/sprite_images.h"

#include <algorithm>

namespace lumora {

namespace {
float clamp01(float x) { return std::min(1.0f, std::max(0.0f, x)); }
uint8_t toByte(float x) { return static_cast<uint8_t>(x * 255.0f); }
}  // namespace

std::vector<uint8_t> makeSpriteImage(GeneratedSprite sprite) {
    std::vector<uint8_t> image(static_cast<std::size_t>(kSpriteSize * kSpriteSize * 4), 255);
    for (int i = 0; i < kSpriteSize; ++i)
        for (int j = 0; j < kSpriteSize; ++j) {
            const float u = static_cast<float>(i - 64) / 64.0f;
            const float w = static_cast<float>(j - 64) / 64.0f;
            const float q = u * u + w * w;
            uint8_t* t = &image[static_cast<std::size_t>(4 * (i * kSpriteSize + j))];
            switch (sprite) {
            case GeneratedSprite::Star: {
                const float d = clamp01(1.0f - q);
                t[3] = toByte(d * d);
                break;
            }
            case GeneratedSprite::FlareDisc:
                t[3] = toByte(clamp01((1.0f - q) * 2.5f));  // solid to q = 0.6, then a linear rim
                break;
            case GeneratedSprite::Glow: {
                const float d = clamp01(q * (1.0f - q) * 4.0f);  // a thin ring at q = 0.5
                const float d2 = d * d;
                t[3] = toByte(d2 * d2);
                break;
            }
            case GeneratedSprite::Spark: {
                // Bright along the two axes, fading towards the square's edge.
                const float au = u < 0 ? -u : u, aw = w < 0 ? -w : w;
                const float m = std::max(au, aw), p = au * aw;
                t[2] = toByte(clamp01((1.0f - m) * 0.14f / std::max(p, 0.05f)));
                t[3] = toByte(clamp01((1.0f - m) * 0.1f / std::max(p, 0.1f)));
                break;
            }
            }
        }
    return image;
}

std::vector<uint8_t> makeSmokeImage(const uint8_t* mask) {
    std::vector<uint8_t> image(64 * 64 * 2);
    for (std::size_t i = 0; i < 64 * 64; ++i) {
        image[2 * i] = 255;
        image[2 * i + 1] = mask[i];
    }
    return image;
}

std::vector<uint8_t> halveImage(const std::vector<uint8_t>& image, int size, int components) {
    const int half = size / 2;
    std::vector<uint8_t> out(static_cast<std::size_t>(half * half * components));
    for (int y = 0; y < half; ++y)
        for (int x = 0; x < half; ++x)
            for (int c = 0; c < components; ++c) {
                auto at = [&](int yy, int xx) {
                    return static_cast<int>(image[static_cast<std::size_t>((yy * size + xx) * components + c)]);
                };
                const int sum = at(2 * y, 2 * x) + at(2 * y, 2 * x + 1) + at(2 * y + 1, 2 * x) + at(2 * y + 1, 2 * x + 1);
                out[static_cast<std::size_t>((y * half + x) * components + c)] = static_cast<uint8_t>((sum + 2) / 4);
            }
    return out;
}

}  // namespace lumora
