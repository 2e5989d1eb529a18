// The painting helpers: the bitmap reader (both row orders, file and packed
// forms, and refusals), the stretch copy, pen lines, and the committed art.
#include <gtest/gtest.h>

#include <vector>

#include "controls/art/art_files.h"
#include "controls/paint/dib_reader.h"
#include "controls/paint/pixel_image.h"
#include "controls/paint/skin.h"

namespace lumora {
namespace {

// A 3 x 2 bitmap, rows padded to 12 bytes: top row red, green, blue; bottom
// row white, black, grey.
const uint32_t kPixels[2][3] = {{0xFF0000, 0x00FF00, 0x0000FF}, {0xFFFFFF, 0x000000, 0x808080}};

std::vector<uint8_t> makeBitmap(bool file, bool topDown, int bitCount = 24, int compression = 0) {
    std::vector<uint8_t> b;
    auto put32 = [&b](uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
    };
    if (file) {
        b = {'B', 'M'};
        put32(14 + 40 + 24);
        put32(0);
        put32(14 + 40);
    }
    put32(40);
    put32(3);
    put32(topDown ? uint32_t(-2) : 2u);
    b.push_back(1), b.push_back(0);
    b.push_back(uint8_t(bitCount)), b.push_back(0);
    put32(uint32_t(compression));
    for (int i = 0; i < 5; ++i) put32(0);
    for (int row = 0; row < 2; ++row) {
        const int y = topDown ? row : 1 - row;
        for (uint32_t p : kPixels[y])
            for (int shift : {0, 8, 16}) b.push_back(uint8_t(p >> shift));
        for (int pad = 0; pad < 3; ++pad) b.push_back(0);
    }
    return b;
}

TEST(DibReader, ReadsFilesAndPackedBitmapsInBothRowOrders) {
    for (bool file : {false, true})
        for (bool topDown : {false, true}) {
            const std::optional<PixelImage> image = readDib(makeBitmap(file, topDown));
            ASSERT_TRUE(image) << file << topDown;
            ASSERT_EQ(image->width, 3);
            ASSERT_EQ(image->height, 2);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x) EXPECT_EQ(image->at(x, y), kPixels[y][x]) << file << topDown << x << y;
        }
}

TEST(DibReader, RefusesWhatItCannotRead) {
    auto patched = [](size_t at, uint8_t v) {
        std::vector<uint8_t> b = makeBitmap(true, false);
        b[at] = v;
        return b;
    };
    std::vector<uint8_t> truncated = makeBitmap(true, false);
    truncated.pop_back();
    const std::vector<std::vector<uint8_t>> bad = {
        {},
        {'B', 'M', 1, 2},
        truncated,
        makeBitmap(false, false, 32),
        makeBitmap(false, false, 8),
        makeBitmap(true, false, 24, 1),
        patched(14 + 4, 0),     // width 0
        patched(14 + 8, 0),     // height 0
        patched(14 + 7, 0x7F),  // width far too large
        patched(14, 12),        // the old 12-byte header
        patched(10, 0xF0),      // pixels past the end
        patched(10, 4),         // pixels inside the headers
    };
    for (size_t i = 0; i < bad.size(); ++i) EXPECT_FALSE(readDib(bad[i])) << "case " << i;

    // Random damage to a good file: whatever is read back is consistent.
    uint32_t seed = 7;
    for (int i = 0; i < 5000; ++i) {
        std::vector<uint8_t> b = makeBitmap(i % 2 == 0, i % 3 == 0);
        for (int k = 0; k < 3; ++k) {
            seed = seed * 1103515245u + 12345u;
            b[(seed >> 8) % b.size()] = uint8_t(seed >> 20);
        }
        b.resize(b.size() - (seed >> 28) % 4);
        if (const std::optional<PixelImage> image = readDib(b)) {
            ASSERT_EQ(image->pixels.size(), size_t(image->width) * size_t(image->height));
            ASSERT_LE(image->width * 3 * image->height, int32_t(b.size()));
        }
    }
}

TEST(PixelImage, StretchBlitTakesTheSourcePixelUnderEachCentreAndClips) {
    PixelImage src(2, 1);
    src.pixels = {0xA, 0xB};
    PixelImage dst(5, 2, 0x1);
    stretchBlit(dst, 1, 0, 4, 1, src, 0, 0, 2, 1);  // doubled
    EXPECT_EQ(dst.pixels, (std::vector<uint32_t>{0x1, 0xA, 0xA, 0xB, 0xB, 0x1, 0x1, 0x1, 0x1, 0x1}));
    // Half off the left edge, and a source rectangle reaching past its image:
    // rows that do not exist leave the destination alone.
    dst.reset(3, 3, 0x1);
    stretchBlit(dst, -1, 0, 2, 3, src, 0, 0, 2, 3);
    EXPECT_EQ(dst.pixels, (std::vector<uint32_t>{0xB, 0x1, 0x1, 0x1, 0x1, 0x1, 0x1, 0x1, 0x1}));
}

TEST(PixelImage, PenLinesLeaveTheirEndPoint) {
    struct Case {
        int x1, y1, x2, y2;
        std::vector<std::pair<int, int>> painted;
    } cases[] = {
        {1, 0, 4, 0, {{1, 0}, {2, 0}, {3, 0}}},
        {4, 0, 1, 0, {{4, 0}, {3, 0}, {2, 0}}},
        {0, 1, 0, 4, {{0, 1}, {0, 2}, {0, 3}}},
        {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
        {-3, 4, 2, 4, {{0, 4}, {1, 4}}},  // clipped at the left edge
        {2, 2, 2, 2, {}},
    };
    for (const Case& c : cases) {
        PixelImage img(5, 5), want(5, 5);
        penLine(img, c.x1, c.y1, c.x2, c.y2, 1);
        for (auto [x, y] : c.painted) want.set(x, y, 1);
        EXPECT_EQ(img.pixels, want.pixels) << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
    }
}

TEST(ControlArt, EveryCommittedBitmapLoadsWithItsSize) {
    const Skin skin = Skin::loadDirectory(LUMORA_CONTROL_ART_DIR);
    EXPECT_EQ(skin.size(), std::size(kArtFiles));
    for (const ArtFile& art : kArtFiles) {
        const PixelImage* image = skin.bitmap(art.id);
        ASSERT_NE(image, nullptr) << art.file;
        EXPECT_EQ(image->width, art.width) << art.file;
        EXPECT_EQ(image->height, art.height) << art.file;
    }
}

}  // namespace
}  // namespace lumora
