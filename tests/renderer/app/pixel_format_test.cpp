// The pixel-format rule: the filter, the score and the choice among equals.
#include <gtest/gtest.h>

#include <vector>

#include "renderer/app/pixel_format.h"

using namespace lumora;
using namespace lumora::pixel_format_flags;

namespace {
constexpr uint32_t kUsable = SupportOpenGL | DrawToWindow | DoubleBuffer;
}

TEST(PixelFormat, Scores) {
    struct Case { uint32_t flags; int colorBits, depthBits, score; };
    const Case cases[] = {
        {kUsable, 32, 24, 2072},  // 32 + 48 - 8 + 2000
        {kUsable, 16, 16, 2048},
        {kUsable, 24, 24, 2068},
        {kUsable, 17, 0, 2017},   // (16 - 17) / 2 truncates to 0, not -1
        {kUsable, 31, 0, 2024},   // -7, not -8
        {kUsable, 15, 0, 2015},   // no cost at 16 bits or fewer
        {kUsable | GenericFormat | GenericAccelerated, 32, 24, 1072},
        {kUsable | GenericFormat, 32, 24, 72},
        {kUsable | GenericAccelerated, 32, 24, 2072},  // accelerated counts only for generic formats
        {kUsable | 0x2 /* stereo */ | 0x200 /* swap-copy */, 32, 0, 2024},
    };
    for (const Case& c : cases) {
        const auto score = pixelFormatScore(c.flags, kPixelTypeRgba, c.colorBits, c.depthBits);
        ASSERT_TRUE(score.has_value()) << c.colorBits << "/" << c.depthBits;
        EXPECT_EQ(*score, c.score) << std::hex << c.flags << std::dec << " " << c.colorBits << "/" << c.depthBits;
    }
}

TEST(PixelFormat, FilterNeedsDoubleBufferedOpenGlRgbaToAWindow) {
    for (uint32_t missing : {SupportOpenGL, DrawToWindow, DoubleBuffer})
        EXPECT_FALSE(pixelFormatScore(kUsable & ~missing, kPixelTypeRgba, 32, 24).has_value()) << missing;
    EXPECT_FALSE(pixelFormatScore(kUsable, 1 /* colour index */, 32, 24).has_value());
    EXPECT_FALSE(pixelFormatScore(0, kPixelTypeRgba, 32, 24).has_value());
}

TEST(PixelFormat, FirstOfTheBestWins) {
    EXPECT_EQ(choosePixelFormat({}), 0);
    const std::vector<PixelFormatInfo> none = {{kUsable & ~DoubleBuffer, 0, 32, 24}, {kUsable, 1, 32, 24}};
    EXPECT_EQ(choosePixelFormat(none), 0);

    const std::vector<PixelFormatInfo> formats = {
        {kUsable | GenericFormat, 0, 32, 32},  // 1: generic, 88
        {kUsable, 0, 16, 16},                  // 2: 2048
        {kUsable & ~DrawToWindow, 0, 32, 32},  // 3: would score 2088 but cannot draw to a window
        {kUsable, 0, 32, 24},                  // 4: 2072, the best
        {kUsable, 0, 24, 26},                  // 5: 2072 too, but later
        {kUsable, 0, 16, 16},                  // 6: 2048
    };
    EXPECT_EQ(choosePixelFormat(formats), 4);
    // A single usable generic format is still chosen over nothing.
    EXPECT_EQ(choosePixelFormat(std::vector<PixelFormatInfo>(formats.begin(), formats.begin() + 1)), 1);
}
