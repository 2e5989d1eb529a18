// Sprite texels, the stored images' character, and mipmap halving.
#include <gtest/gtest.h>

#include <algorithm>

#include "renderer/data/embedded_data.h"
#include "renderer/sprites/sprite_images.h"

using namespace lumora;

namespace {
const uint8_t* texel(const std::vector<uint8_t>& image, int row, int column) {
    return &image[static_cast<std::size_t>(4 * (row * kSpriteSize + column))];
}
}  // namespace

TEST(Sprites, GeneratedTexelsFollowTheirFormulas) {
    const auto star = makeSpriteImage(GeneratedSprite::Star);
    ASSERT_EQ(star.size(), 128u * 128u * 4u);
    EXPECT_EQ(texel(star, 64, 64)[3], 255);
    EXPECT_EQ(texel(star, 0, 0)[3], 0);    // q >= 1 at the corners
    EXPECT_EQ(texel(star, 64, 0)[3], 0);   // and on the outer ring
    EXPECT_EQ(texel(star, 64, 96)[3], static_cast<uint8_t>(0.75f * 0.75f * 255.0f));  // q = 0.25
    EXPECT_EQ(texel(star, 64, 64)[0], 255);

    const auto glow = makeSpriteImage(GeneratedSprite::Glow);
    EXPECT_EQ(texel(glow, 64, 64)[3], 0);
    EXPECT_EQ(texel(glow, 96, 96)[3], 255);  // q = 0.5
    EXPECT_EQ(texel(glow, 0, 64)[3], 0);     // q = 1

    const auto spark = makeSpriteImage(GeneratedSprite::Spark);
    EXPECT_EQ(texel(spark, 64, 64)[2], 255);
    EXPECT_EQ(texel(spark, 64, 64)[3], 255);
    EXPECT_EQ(texel(spark, 64, 64)[0], 255);
    EXPECT_GT(texel(spark, 64, 100)[3], texel(spark, 100, 100)[3]);  // bright along the axes

    const auto disc = makeSpriteImage(GeneratedSprite::FlareDisc);
    EXPECT_EQ(texel(disc, 64, 64)[3], 255);
    EXPECT_EQ(texel(disc, 64, 112)[3], 255);  // q = 0.5625: still solid
    EXPECT_LT(texel(disc, 64, 120)[3], 255);  // q = 0.765625: on the rim
}

TEST(Sprites, SmokeImagesCarryTheMaskAsAlpha) {
    const auto smoke = makeSmokeImage(smokeMaskData() + 4096);
    ASSERT_EQ(smoke.size(), 64u * 64u * 2u);
    for (std::size_t i = 0; i < 4096; i += 97) {
        EXPECT_EQ(smoke[2 * i], 255);
        EXPECT_EQ(smoke[2 * i + 1], smokeMaskData()[4096 + i]);
    }
}

TEST(Sprites, HalvingAveragesBlocksDownToOneTexel) {
    std::vector<uint8_t> image = {0, 255, 10, 20, 100, 100, 30, 40, 5, 5, 50, 60, 5, 5, 70, 80};  // 2 x 2, 4 bytes a texel
    const auto half = halveImage(image, 2, 4);
    ASSERT_EQ(half.size(), 4u);
    EXPECT_EQ(half[0], (0 + 100 + 5 + 5 + 2) / 4);
    EXPECT_EQ(half[1], (255 + 100 + 5 + 5 + 2) / 4);
    EXPECT_EQ(half[3], (20 + 40 + 60 + 80 + 2) / 4);
}

TEST(StoredData, SmokeMasksAreSoftPuffsWithZeroBorders) {
    ASSERT_EQ(smokeMaskSize(), kSmokeMaskBytes);
    for (int k = 0; k < 5; ++k) {
        const uint8_t* m = smokeMaskData() + 4096 * k;
        double sum = 0;
        int top = 0, border = 0, distinct = 0;
        bool seen[256] = {};
        for (int i = 0; i < 4096; ++i) {
            sum += m[i];
            top = std::max(top, static_cast<int>(m[i]));
            if (!seen[m[i]]) { seen[m[i]] = true; ++distinct; }
            const int r = i / 64, c = i % 64;
            if (r == 0 || r == 63 || c == 0 || c == 63) border = std::max(border, static_cast<int>(m[i]));
        }
        EXPECT_GE(sum / 4096, 72.0) << k;
        EXPECT_LE(sum / 4096, 88.0) << k;
        EXPECT_GE(top, 254) << k;
        EXPECT_EQ(border, 0) << k;
        EXPECT_GT(distinct, 100) << k;  // soft gradations, not a stencil
    }
}

TEST(StoredData, CloudImageIsBrokenCover) {
    ASSERT_EQ(cloudImageSize(), kCloudImageBytes);
    const uint8_t* c = cloudImageData();
    int lo = 255, hi = 0;
    std::size_t opaque = 0, clear = 0;
    const std::size_t texels = 512 * 512;
    for (std::size_t i = 0; i < texels; ++i) {
        lo = std::min(lo, static_cast<int>(c[2 * i]));
        hi = std::max(hi, static_cast<int>(c[2 * i]));
        opaque += c[2 * i + 1] == 255;
        clear += c[2 * i + 1] == 0;
    }
    EXPECT_GE(lo, 156);
    EXPECT_EQ(hi, 255);
    EXPECT_NEAR(static_cast<double>(opaque) / texels, 0.25, 0.06);
    EXPECT_GT(static_cast<double>(clear) / texels, 0.01);
    EXPECT_LT(static_cast<double>(clear) / texels, 0.08);
}
