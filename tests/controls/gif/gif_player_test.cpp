// The animated GIF control's rules, driven through a headless host: what a
// load gives for good, damaged and hostile files, timing and loops, Action,
// hiding, deferred decoding, composition, mirroring, the stretch rule and
// the saved properties. The GIFs are made with the control's own writer.
#include <gtest/gtest.h>

#include "controls/gif/gif_writer.h"
#include "controls/gif/headless_host.h"

using namespace lumora;

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

struct FrameSpec {
    int32_t left, top, width, height;
    uint8_t fill;          // index 0 black, 1 red, 2 green, 3 blue
    int32_t delayMs = 100;
    uint8_t disposal = 0;
    int transparent = -1;  // index, or -1 for none
    std::vector<uint8_t> pattern = {};  // the indices, instead of `fill` everywhere
};

// A GIF of the frames over a 4-colour table.
std::vector<uint8_t> makeGif(const std::vector<FrameSpec>& specs, int loops = 0) {
    GifFile file;
    file.hasGlobalTable = true;
    file.palettes.resize(1);
    file.palettes[0].count = 4;
    file.palettes[0].entries[1] = kRed;
    file.palettes[0].entries[2] = kGreen;
    file.palettes[0].entries[3] = kBlue;
    for (const FrameSpec& s : specs) {
        GifFrame f;
        f.left = s.left, f.top = s.top, f.width = s.width, f.height = s.height;
        f.delay = s.delayMs;
        f.disposal = s.disposal;
        f.hasTransparency = s.transparent >= 0;
        f.transparentIndex = uint8_t(std::max(s.transparent, 0));
        f.indices.assign(s.pattern.begin(), s.pattern.end());
        if (f.indices.empty()) f.indices.assign(size_t(s.width * s.height), s.fill);
        f.decodedPixels = f.indices.size();
        file.canvasWidth = std::max(file.canvasWidth, s.left + s.width);
        file.canvasHeight = std::max(file.canvasHeight, s.top + s.height);
        file.frames.push_back(f);
    }
    return writeGif(file, loops);
}

const std::vector<FrameSpec> kThreeFrames = {{0, 0, 2, 2, 1, 0}, {0, 0, 2, 2, 2, 70}, {0, 0, 2, 2, 3, 200}};

struct Control {
    HeadlessGifHost host;
    GifPlayer player{host};
    Control() { host.player = &player; }
    bool load(const std::vector<uint8_t>& bytes, int delayAnimation = 0) {
        player.setDelayAnimation(delayAnimation);
        return player.loadAnimatedGifArray(bytes);
    }
    uint32_t pixel(int x, int y) const {
        const GifPicture p = player.picture();
        return p.mask[y * p.width + x] ? 0xFFFFFFFF : p.pixels[y * p.width + x];  // all ones: transparent
    }
};
constexpr uint32_t kClear = 0xFFFFFFFF;

// --- loading -----------------------------------------------------------------

TEST(GifPlayer, LoadsGoodDamagedAndHostileFilesAsTheControlDoes) {
    const std::vector<uint8_t> two = makeGif({{2, 3, 4, 5, 1, 100, 3}, {0, 0, 1, 1, 2, 100, 3}});
    AllocationBudget unlimited(~uint64_t{0});
    GifFile parsed;
    ASSERT_EQ(parseGif(two, unlimited, parsed), GifStatus::Ok);
    const size_t second = parsed.frames[1].blockStart;  // its 0x2C; the code size 10 bytes on
    auto edit = [&](auto change) {
        std::vector<uint8_t> b = two;
        change(b);
        return b;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        GifStatus status;
        int frames, width, height;
    };
    const std::vector<Case> cases = {
        {"canvas from the frames, not the logical screen", edit([](auto& b) { b[6] = 200, b[8] = 100; }),
         GifStatus::Ok, 2, 6, 8},
        {"signature in any case", edit([](auto& b) { b[0] = 'g', b[5] = 'A'; }), GifStatus::Ok, 2, 6, 8},
        {"not a GIF", edit([](auto& b) { b[4] = '8'; }), GifStatus::NotAGif, 0, 0, 0},
        {"ends where a block starts: the trailer", edit([&](auto& b) { b.resize(second); }), GifStatus::Ok, 1, 6, 8},
        {"ends inside a block: End of File", edit([&](auto& b) { b.resize(second + 4); }), GifStatus::EndOfFile, 0,
         0, 0},
        {"no colour table", edit([](auto& b) { b[10] &= 0x7F, b.erase(b.begin() + 13, b.begin() + 25); }),
         GifStatus::NoColourTable, 0, 0, 0},
        {"code size above 8", edit([&](auto& b) { b[second + 10] = 9; }), GifStatus::UndecodableFrame, 0, 0, 0},
        {"code size 0", edit([&](auto& b) { b[second + 10] = 0; }), GifStatus::UndecodableFrame, 0, 0, 0},
        {"a code past the table", edit([&](auto& b) { b[second + 12] = 0xFF; }), GifStatus::UndecodableFrame, 0,
         0, 0},
        {"empty", {}, GifStatus::NoData, 0, 0, 0},
        // 40 bytes whose one 1x1 frame sits at (16383, 16383): a canvas of 1.25 GB.
        {"far-away frame", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255, 0x2C,
                            0xFF, 0x3F, 0xFF, 0x3F, 1, 0, 1, 0, 0, 2, 2, 0x4C, 0x01, 0, 0x3B, 0, 0, 0, 0, 0},
         GifStatus::TooLarge, 0, 0, 0},
    };
    for (const Case& c : cases) {
        Control gif;
        EXPECT_EQ(gif.load(c.bytes), c.status == GifStatus::Ok) << c.what;
        EXPECT_EQ(gif.player.lastStatus(), c.status) << c.what;
        EXPECT_EQ(gif.player.frameCount(), c.frames) << c.what;
        EXPECT_EQ(gif.player.actualWidth(), c.width) << c.what;
        EXPECT_EQ(gif.player.actualHeight(), c.height) << c.what;
        EXPECT_EQ(gif.player.picture().empty(), c.frames == 0) << c.what;
    }
    const GifError eof = gifError(GifStatus::EndOfFile);
    EXPECT_EQ(std::tie(eof.number, eof.source, eof.description), std::make_tuple(53, "ReadGifFile", "End of File"));

    // Frame 1's disposal 3 is read as 0 (there is nothing before it to restore).
    EXPECT_EQ(parsed.frames[0].disposal, 0);
    EXPECT_EQ(parsed.frames[1].disposal, 3);

    // The budget counts what is allocated: palettes and frame records (in
    // blocks of at least eight), canvas and mask (5 bytes a pixel), saved
    // rows for frame 2, then each frame's indices.
    const uint64_t needed = 8 * sizeof(GifPalette) + 8 * sizeof(GifFrame) + 6 * 8 * 5 + 1 * 5 + 4 * 5 + 1;
    Control gif;
    gif.player.setAllocationLimit(needed);
    EXPECT_TRUE(gif.load(two));
    gif.player.setAllocationLimit(needed - 1);  // frame 2's one index no longer fits
    EXPECT_FALSE(gif.load(two));
    EXPECT_EQ(gif.player.lastStatus(), GifStatus::TooLarge);
}

TEST(GifPlayer, LoopCountIsUnsignedAndDataEndingEarlyLeavesTheRestUndrawn) {
    Control gif;
    ASSERT_TRUE(gif.load(makeGif(kThreeFrames, 65535)));
    EXPECT_EQ(gif.player.loops(), 65535);

    // A 4x2 red frame whose data stops after 5 pixels.
    std::vector<uint8_t> bytes = makeGif({{0, 0, 4, 2, 1}});
    ASSERT_TRUE(gif.load(bytes));
    bytes.resize(gif.player.file().frames[0].dataPos);
    writeLzw(std::vector<uint8_t>(5, 1), 2, bytes);
    bytes.push_back(0x3B);
    ASSERT_TRUE(gif.load(bytes));
    EXPECT_EQ(gif.player.file().frames[0].decodedPixels, 5u);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(gif.pixel(i % 4, i / 4), i < 5 ? kRed : kClear) << i;

    // A file that names no loop count leaves Loops as it was.
    gif.player.setLoops(3);
    ASSERT_TRUE(gif.load(bytes));
    EXPECT_FALSE(gif.player.file().hasLoopCount);
    EXPECT_EQ(gif.player.loops(), 3);
}

TEST(GifPlayer, ManyRecordsAreChargedAsTheyAreReallyAllocated) {
    // 200,000 images of one pixel, each with its own 2-colour table: the
    // tables alone come to 206 MB, and the vector holding them to more while
    // it grows. The load fails cleanly instead of going past 256 MB.
    std::vector<uint8_t> bytes = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0};
    const uint8_t image[] = {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x80, 0, 0, 0, 0xFF, 0xFF, 0xFF, 2, 2, 0x4C, 0x01, 0};
    for (int i = 0; i < 200000; ++i) bytes.insert(bytes.end(), std::begin(image), std::end(image));
    bytes.push_back(0x3B);
    Control gif;
    EXPECT_FALSE(gif.load(bytes));
    EXPECT_EQ(gif.player.lastStatus(), GifStatus::TooLarge);
}

// --- timing ------------------------------------------------------------------

TEST(GifPlayer, TimerIntervalIsTheFrameDelayOrMinFrameDelay) {
    struct Case {
        int32_t minFrameDelay, frameDelay;
        uint32_t timer;
    };
    const Case cases[] = {{50, 0, 50}, {50, 70, 70}, {5, 0, 10}, {40000, 100, 32700}, {10, 20, 20}};
    for (const Case& c : cases) {
        Control gif;
        gif.player.setMinFrameDelay(c.minFrameDelay);
        ASSERT_TRUE(gif.load(makeGif({{0, 0, 1, 1, 1, c.frameDelay}, {0, 0, 1, 1, 2, c.frameDelay}})));
        EXPECT_TRUE(gif.host.timerSet);
        EXPECT_EQ(gif.host.timerMs, c.timer) << c.minFrameDelay << " " << c.frameDelay;
    }
}

TEST(GifPlayer, LoopsEndAfterTheLastPassAndASingleFrameNeverStartsTheTimer) {
    Control gif;
    gif.player.setLoops(-3);
    EXPECT_EQ(gif.player.loops(), 3);
    EXPECT_EQ(gif.player.loopsRemaining(), -1) << "nothing loaded";
    ASSERT_TRUE(gif.load(makeGif(kThreeFrames, 0)));
    gif.player.setLoops(-3);
    std::vector<int32_t> frames, remaining;
    while (gif.host.fire()) {
        frames.push_back(gif.player.currentFrame());
        remaining.push_back(gif.player.loopsRemaining());
        ASSERT_LT(frames.size(), 20u);
    }
    EXPECT_EQ(frames, (std::vector<int32_t>{2, 3, 1, 2, 3, 1, 2, 3, 1}));
    EXPECT_EQ(remaining, (std::vector<int32_t>{3, 3, 2, 2, 2, 1, 1, 1, 3}));
    EXPECT_EQ(gif.host.loopsEndedCount, 1);
    EXPECT_EQ(gif.player.action(), kActionStop);
    EXPECT_FALSE(gif.player.playing());

    Control single;
    ASSERT_TRUE(single.load(makeGif({{0, 0, 3, 3, 1}})));
    single.player.setAction(kActionPlay);
    EXPECT_EQ(single.host.timersStarted, 0);
    EXPECT_EQ(single.player.loopsRemaining(), 0);
}

TEST(GifPlayer, ActionsStepStopRestartAndHidingPauses) {
    Control gif;
    ASSERT_TRUE(gif.load(makeGif(kThreeFrames)));
    EXPECT_EQ(gif.player.action(), kActionPlay);
    struct Step {
        int32_t action;  // -1 fire the timer, -2 hide, -3 show
        int32_t frame;
        bool playing;
    };
    const Step steps[] = {
        {-1, 2, true}, {kActionStep, 3, false}, {kActionStep, 1, false}, {kActionPlay, 1, true},
        {-1, 2, true}, {kActionStop, 1, false}, {kActionStep, 2, false}, {kActionRestart, 1, true},
        {-2, 1, false}, {-3, 1, true}, {kActionPause, 1, false}, {-2, 1, false}, {-3, 1, false},
        {7, 1, false}, {kActionPlay, 1, true},
    };
    for (const Step& s : steps) {
        if (s.action == -1) {
            gif.host.fire();
        } else if (s.action == -2) {
            gif.player.hide();
        } else if (s.action == -3) {
            gif.player.show();
        } else {
            gif.player.setAction(s.action);
        }
        EXPECT_EQ(gif.player.currentFrame(), s.frame) << "after " << s.action;
        EXPECT_EQ(gif.player.playing(), s.playing) << "after " << s.action;
        EXPECT_EQ(gif.host.timerSet, s.playing) << "after " << s.action;
    }

    gif.host.timersWork = false;  // SetTimer failing: nothing starts, nothing is reported
    gif.player.setAction(kActionRestart);
    EXPECT_FALSE(gif.player.playing());
}

TEST(GifPlayer, DeferredDecodingShowsFrameOneThenDecodesThenStarts) {
    Control gif;
    ASSERT_TRUE(gif.load(makeGif(kThreeFrames), 1));
    EXPECT_EQ(gif.host.timerMs, 20u);
    EXPECT_EQ(gif.pixel(0, 0), kRed);
    EXPECT_TRUE(gif.player.file().frames[1].indices.empty()) << "frame 2 waits for the timer";
    EXPECT_FALSE(gif.player.playing());
    const std::vector<uint8_t> original = gif.player.animatedGif();

    ASSERT_TRUE(gif.host.fire());
    EXPECT_FALSE(gif.player.file().frames[2].indices.empty());
    EXPECT_TRUE(gif.player.playing());
    EXPECT_EQ(gif.host.timerMs, 50u) << "frame 1's delay 0 plays at MinFrameDelay";
    EXPECT_EQ(gif.player.animatedGif(), original) << "our writer gives back what it wrote";

    Control manual;  // bit 1: decoded, but not started
    ASSERT_TRUE(manual.load(makeGif(kThreeFrames), 3));
    manual.host.fire();
    EXPECT_FALSE(manual.player.playing());
    EXPECT_FALSE(manual.host.timerSet);

    // Stretch or Mirrored changed before the decode's timer fires: it still
    // fires, and the animation starts.
    for (int which = 0; which < 2; ++which) {
        Control changed;
        ASSERT_TRUE(changed.load(makeGif(kThreeFrames), 1));
        if (which == 0) changed.player.setStretch(2);
        else changed.player.setMirrored(1);
        ASSERT_TRUE(changed.host.fire()) << which;
        EXPECT_TRUE(changed.player.playing()) << which;
    }
}

// --- composition ---------------------------------------------------------------

TEST(GifPlayer, DisposalAndTransparencyComposeOncePerFrame) {
    // 1: red top row. 2: blue at (0,0), put back afterwards. 3: green at
    // (1,0) in a 2x2 frame otherwise transparent, cleared afterwards. 4: blue
    // bottom row.
    Control gif;
    ASSERT_TRUE(gif.load(makeGif({{0, 0, 2, 1, 1}, {0, 0, 1, 1, 3, 100, 3}, {0, 0, 2, 2, 0, 100, 2, 0, {0, 2, 0, 0}},
                                  {0, 1, 2, 1, 3}})));
    const std::vector<std::vector<uint32_t>> expected = {
        {kRed, kRed, kClear, kClear},
        {kBlue, kRed, kClear, kClear},
        {kRed, kGreen, kClear, kClear},
        {kClear, kClear, kBlue, kBlue},
        {kRed, kRed, kClear, kClear},  // a new pass starts clear, whatever frame 4 left
    };
    for (const auto& want : expected) {
        for (int repaint = 0; repaint < 2; ++repaint) {
            gif.player.refresh();  // painting again changes nothing (no ghost)
            for (int i = 0; i < 4; ++i) {
                EXPECT_EQ(gif.pixel(i % 2, i / 2), want[size_t(i)]) << "frame " << gif.player.currentFrame();
            }
        }
        if (gif.player.currentFrame() == 4) {
            EXPECT_EQ(packMask(gif.player.picture()), (std::vector<uint8_t>{0xC0, 0, 0, 0, 0, 0, 0, 0}));
        }
        gif.host.fire();
    }
}

TEST(GifPlayer, MirroringFlipsFramesAndPositionsAndTwiceGivesBackTheOriginal) {
    const std::vector<FrameSpec> frames = {{0, 0, 3, 2, 1}, {0, 0, 1, 1, 3, 100, 3}, {2, 1, 1, 1, 2}};
    // Step to `frame` with the mirror set before the load, or flipped after.
    auto picture = [&](int bits, int frame, bool flipAfter) {
        Control gif;
        if (!flipAfter) gif.player.setMirrored(bits);
        gif.load(makeGif(frames), 2);
        for (int i = 1; i < frame; ++i) gif.player.setAction(kActionStep);
        if (flipAfter) gif.player.setMirrored(bits);
        std::vector<uint32_t> out;
        for (int i = 0; i < 6; ++i) out.push_back(gif.pixel(i % 3, i / 3));
        return out;
    };
    EXPECT_EQ(picture(0, 3, false), (std::vector<uint32_t>{kRed, kRed, kRed, kRed, kRed, kGreen}));
    EXPECT_EQ(picture(1, 2, false), (std::vector<uint32_t>{kRed, kRed, kBlue, kRed, kRed, kRed}));
    EXPECT_EQ(picture(3, 3, false), (std::vector<uint32_t>{kGreen, kRed, kRed, kRed, kRed, kRed}));
    for (int bits = 1; bits <= 3; ++bits) {
        for (int frame = 1; frame <= 3; ++frame) {
            EXPECT_EQ(picture(bits, frame, true), picture(bits, frame, false)) << bits << " " << frame;
        }
    }
    Control gif;
    gif.load(makeGif(frames), 2);
    gif.player.setAction(kActionStep);
    const std::vector<uint8_t> before(gif.player.picture().mask, gif.player.picture().mask + 6);
    gif.player.setMirrored(3);
    gif.player.setMirrored(0);
    gif.player.setMirrored(9);  // out of range: ignored
    EXPECT_EQ(gif.player.mirrored(), 0);
    EXPECT_EQ(std::vector<uint8_t>(gif.player.picture().mask, gif.player.picture().mask + 6), before);
    EXPECT_EQ(gif.pixel(0, 0), kBlue);

    // The AnimatedGIF getter gives the picture as shown: read back, the
    // mirrored frames look as they did, whichever frame is shown.
    for (int bits = 1; bits <= 3; ++bits) {
        Control shown;
        shown.player.setMirrored(bits);
        shown.load(makeGif(frames), 2);
        Control copy;
        ASSERT_TRUE(copy.load(shown.player.animatedGif(), 2));
        for (int frame = 1; frame <= 3; ++frame) {
            for (int i = 0; i < 6; ++i) EXPECT_EQ(copy.pixel(i % 3, i / 3), shown.pixel(i % 3, i / 3)) << bits << frame;
            shown.player.setAction(kActionStep);
            copy.player.setAction(kActionStep);
        }
    }
}

// --- stretch ---------------------------------------------------------------

TEST(GifPlayer, StretchRuleAndSelfResizing) {
    struct Case {
        int stretch;
        int32_t cw, ch;
        int32_t srcW, srcH, w, h;
        float sx, sy;
    };
    const Case cases[] = {
        {0, 30, 10, 30, 10, 30, 10, 1, 1},   {0, 100, 100, 40, 20, 40, 20, 1, 1},
        {1, 100, 100, 40, 20, 100, 50, 2.5f, 2.5f}, {1, 20, 40, 40, 20, 20, 10, 0.5f, 0.5f},
        {2, 80, 10, 40, 20, 80, 10, 2, 0.5f},  {3, 100, 100, 40, 20, 40, 20, 1, 1},
        {3, 20, 100, 40, 20, 20, 10, 0.5f, 0.5f}, {4, 7, 7, 40, 20, 40, 20, 1, 1},
    };
    for (const Case& c : cases) {
        const GifDrawRect r = stretchRect(c.stretch, c.cw, c.ch, 40, 20);
        EXPECT_EQ(std::tie(r.srcWidth, r.srcHeight, r.width, r.height), std::tie(c.srcW, c.srcH, c.w, c.h))
            << "Stretch " << c.stretch << " in " << c.cw << "x" << c.ch;
        EXPECT_EQ(r.scaleX, c.sx);
        EXPECT_EQ(r.scaleY, c.sy);
    }
    EXPECT_EQ(stretchRect(1, 5, 5, 2, 1).height, 2) << "2.5 rounds half to even";

    // After a load only Stretch 1, 3 and 4 resize; on Resize the drawn size.
    const std::vector<uint8_t> bytes = makeGif({{0, 0, 40, 20, 1}});
    for (int stretch = 0; stretch <= 4; ++stretch) {
        Control gif;
        gif.player.setStretch(stretch);
        gif.host.client = {60, 60};
        gif.load(bytes);
        const bool resized = stretch == 1 || stretch == 3 || stretch == 4;
        EXPECT_EQ(gif.host.resizes.size(), resized ? 1u : 0u) << "Stretch " << stretch;
        const GifDrawRect r = gif.player.drawRect();
        if (resized) {
            EXPECT_EQ(std::tie(gif.host.client.width, gif.host.client.height), std::tie(r.width, r.height));
        }
    }
    Control gif;
    gif.player.setStretch(0);
    gif.load(bytes);
    gif.host.resizeControl(100, 10);  // the control never shows more than the canvas
    EXPECT_EQ(std::tie(gif.host.client.width, gif.host.client.height), std::make_tuple(40, 10));
    gif.player.setStretch(4);
    EXPECT_EQ(std::tie(gif.host.client.width, gif.host.client.height), std::make_tuple(40, 20));
}

// --- saved properties --------------------------------------------------------

TEST(GifPlayer, SavedPropertiesComeBackAndTheSavedLoopsWin) {
    Control a;
    a.player.setStretch(2);
    a.player.setMinFrameDelay(120);
    a.player.setMirrored(1);
    a.player.setEnabled(false);
    a.player.setMousePointer(11);
    a.player.setMouseIcon({1, 2, 3});
    ASSERT_TRUE(a.load(makeGif(kThreeFrames, 5), 2));
    a.player.setLoops(2);
    PropertyBag bag;
    a.player.writeProperties(bag);
    std::vector<std::string> names;
    for (const auto& e : bag.entries()) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"GIF", "Enabled", "Stretch", "Delay", "Loops", "Mirror",
                                               "DelayLoad", "MouseIcon", "MousePointer"}));

    Control b;
    b.player.readProperties(bag);
    EXPECT_EQ(b.player.loops(), 2) << "the saved Loops over the file's 5";
    EXPECT_EQ(b.player.frameCount(), 3);
    EXPECT_EQ(std::make_tuple(b.player.stretch(), b.player.minFrameDelay(), b.player.mirrored(),
                              b.player.enabled(), b.player.mousePointer(), b.player.delayAnimation()),
              std::make_tuple(2, 120, 1, false, 11, 2));
    EXPECT_EQ(b.player.mouseIcon(), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_FALSE(b.player.playing());

    PropertyBag odd;
    odd.writeInt("DelayLoad", -1, 1);
    odd.writeInt("Stretch", 9, 1);
    odd.writeInt("Delay", 1, 50);
    Control c;
    c.player.readProperties(odd);
    EXPECT_EQ(std::make_tuple(c.player.delayAnimation(), c.player.stretch(), c.player.minFrameDelay()),
              std::make_tuple(1, 1, 10));
    PropertyBag empty;
    c.player.writeProperties(empty);
    EXPECT_EQ(empty.entries().size(), 1u) << "only the clamped Delay differs from its default";
}

TEST(GifPlayer, RemoteHeaderCheck) {
    std::vector<uint8_t> header = {'G', 'I', 'F', '8', '7', 'a', 0x40, 0x01, 0xF0, 0x00, 0, 0, 0, 0, 0};
    RemoteHeader h = checkRemoteHeader(header);
    EXPECT_TRUE(h.isGif);
    EXPECT_EQ(std::tie(h.width, h.height), std::make_tuple(320, 240));
    EXPECT_FALSE(checkRemoteHeader(std::span(header).first(14)).isGif) << "fewer than 15 bytes";
    header[3] = '9';
    header[4] = '0';
    EXPECT_FALSE(checkRemoteHeader(header).isGif);
}

}  // namespace
