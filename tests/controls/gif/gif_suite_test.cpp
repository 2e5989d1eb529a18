// The GIF decoder test suite (suite/, see its NOTICE) and our own cases in its
// format (cases/) run through the control, and, natively, every decoded frame
// compared with giflib's.
//
// For each case the player loads the file and steps through its frames; the
// composed pictures are compared with the expected RGBA frames. The suite's
// reference merges images that have no delay into the next shown frame, so
// its frame k is our frame at the end of its k-th group (an image with a
// delay, or any image when the case forces animation). Every case that loads
// is also written back out (the AnimatedGIF getter) and read again, giving
// the same frames.
//
// Where the control's own rules decide differently from the reference, the
// case is listed in kControlRules with the reason, and the control's result is
// checked instead.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <unordered_map>
#include <string>
#include <vector>

#include "controls/gif/gif_writer.h"
#include "controls/gif/headless_host.h"

#ifdef LUMORA_WITH_GIFLIB
#include <gif_lib.h>
#endif

using namespace lumora;

namespace {

const std::string kSuite = LUMORA_GIF_SUITE_DIR;
const std::string kOurCases = LUMORA_GIF_CASES_DIR;

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A .conf file: "[section]" headers and "key = value" lines.
using Conf = std::map<std::string, std::map<std::string, std::string>>;
Conf readConf(const std::string& path) {
    Conf conf;
    std::ifstream in(path);
    std::string line, section;
    auto trim = [](std::string s) {
        const size_t a = s.find_first_not_of(" \t\r"), b = s.find_last_not_of(" \t\r");
        return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
    };
    while (std::getline(in, line)) {
        line = trim(line);
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
        } else if (const size_t eq = line.find('='); eq != std::string::npos) {
            conf[section][trim(line.substr(0, eq))] = trim(line.substr(eq + 1));
        }
    }
    return conf;
}

std::vector<std::string> split(const std::string& list) {
    std::vector<std::string> out;
    std::stringstream in(list);
    for (std::string item; std::getline(in, item, ',');) {
        if (!item.empty()) out.push_back(item);
    }
    return out;
}

// Cases where the control's rules win over the reference's result.
struct ControlRule {
    const char* name;
    const char* reason;
    GifStatus status;             // what the load gives
    int32_t width = 0, height = 0;  // the canvas when it loads
    bool allOpaqueBlack = false;  // the reference has no frame to compare with
};
const ControlRule kControlRules[] = {
    {"no-data", "no image: nothing gives the canvas a size, so there is no usable frame", GifStatus::NoUsableFrame},
    {"image-zero-width", "the data ends inside the image block: error 53, End of File", GifStatus::EndOfFile},
    {"image-zero-height", "the data ends inside the image block: error 53, End of File", GifStatus::EndOfFile},
    {"image-zero-size", "the data ends inside the image block: error 53, End of File", GifStatus::EndOfFile},
    {"image-inside-bg", "the canvas is as large as the frames (1x1), not the logical screen", GifStatus::Ok, 1, 1},
    {"missing-pixels", "the canvas is as large as the frames (1x1), not the logical screen", GifStatus::Ok, 1, 1},
    {"image-overlap-bg", "the canvas reaches the frame's far corner (3x3), nothing is cut", GifStatus::Ok, 3, 3},
    {"image-outside-bg", "the canvas reaches the frame's far corner (4x4), nothing is cut", GifStatus::Ok, 4, 4},
    {"invalid-colors", "an index past the colour table draws the palette's unused entry, black",
     GifStatus::Ok, 1, 1, true},
    {"max-codes", "a minimum code size above 8 (11) is a frame the decoder cannot read",
     GifStatus::UndecodableFrame},
    {"plain-text", "the plain text extension is skipped like any extension; the image after it is shown",
     GifStatus::Ok, 40, 8, true},
};

const ControlRule* controlRule(const std::string& name) {
    for (const ControlRule& r : kControlRules) {
        if (name == r.name) return &r;
    }
    return nullptr;
}

struct Loaded {
    HeadlessGifHost host;
    GifPlayer player{host};
    explicit Loaded(const std::vector<uint8_t>& bytes) {
        host.player = &player;
        player.setDelayAnimation(2);  // everything decoded at once, not playing
        player.setAnimatedGif(bytes);
    }
    // The composed pictures of every frame, in RGBA.
    std::vector<std::vector<uint8_t>> frames() {
        std::vector<std::vector<uint8_t>> out;
        for (int32_t n = 1; n <= player.frameCount(); ++n) {
            if (n > 1) player.setAction(kActionStep);
            const GifPicture p = player.picture();
            std::vector<uint8_t> rgba;
            for (int64_t i = 0; i < int64_t(p.width) * p.height; ++i) {
                rgba.insert(rgba.end(), {uint8_t(p.pixels[i] >> 16), uint8_t(p.pixels[i] >> 8),
                                         uint8_t(p.pixels[i]), uint8_t(p.mask[i] ? 0 : 255)});
            }
            out.push_back(std::move(rgba));
        }
        return out;
    }
};

// Compares our picture (w x h) with the expected one (ew x eh) where they
// overlap; counts differing pixels.
int differences(const std::vector<uint8_t>& ours, int32_t w, int32_t h, const std::vector<uint8_t>& expected,
                int32_t ew, int32_t eh) {
    int wrong = 0;
    for (int32_t y = 0; y < std::min(h, eh); ++y) {
        for (int32_t x = 0; x < std::min(w, ew); ++x) {
            const size_t a = size_t(y * w + x) * 4, b = size_t(y * ew + x) * 4;
            if (ours[a + 3] == 0 && expected[b + 3] == 0) continue;  // both transparent
            if (!std::equal(&ours[a], &ours[a + 4], &expected[b])) ++wrong;
        }
    }
    return wrong;
}

#ifdef LUMORA_WITH_GIFLIB
// giflib's raw indices for every image, or false when it rejects the file.
bool giflibIndices(const std::vector<uint8_t>& bytes, std::vector<std::vector<uint8_t>>& images) {
    struct Source {
        const std::vector<uint8_t>* bytes;
        size_t pos;
    } source{&bytes, 0};
    auto read = [](GifFileType* gif, GifByteType* to, int n) -> int {
        auto* s = static_cast<Source*>(gif->UserData);
        const size_t take = std::min(size_t(n), s->bytes->size() - s->pos);
        std::copy_n(s->bytes->data() + s->pos, take, to);
        s->pos += take;
        return int(take);
    };
    int error = 0;
    GifFileType* gif = DGifOpen(&source, read, &error);
    if (!gif) return false;
    const bool ok = DGifSlurp(gif) == GIF_OK;
    images.clear();
    for (int i = 0; ok && i < gif->ImageCount; ++i) {
        const SavedImage& s = gif->SavedImages[i];
        const size_t n = size_t(s.ImageDesc.Width) * size_t(s.ImageDesc.Height);
        images.emplace_back(s.RasterBits, s.RasterBits + n);
    }
    DGifCloseFile(gif, &error);
    return ok;
}

// Our frames' indices equal giflib's (which must accept the file).
void expectSameAsGiflib(const std::vector<uint8_t>& bytes, const GifFile& ours) {
    std::vector<std::vector<uint8_t>> theirs;
    ASSERT_TRUE(giflibIndices(bytes, theirs)) << "giflib rejects a file we load";
    ASSERT_EQ(theirs.size(), ours.frames.size());
    for (size_t i = 0; i < theirs.size(); ++i) {
        EXPECT_TRUE(ours.frames[i].complete()) << "frame " << i + 1;
        EXPECT_TRUE(std::ranges::equal(ours.frames[i].indices, theirs[i])) << "frame " << i + 1;
    }
}
#endif

void checkCase(const std::string& dir, const std::string& name) {
    const Conf conf = readConf(dir + "/" + name + ".conf");
    const auto& config = conf.at("config");
    const std::vector<uint8_t> bytes = readBytes(dir + "/" + config.at("input"));
    ASSERT_FALSE(bytes.empty());
    Loaded gif(bytes);
    const GifPlayer& player = gif.player;
    const std::vector<std::string> expectedFrames = split(config.at("frames"));
    const int32_t ew = std::stoi(config.at("width")), eh = std::stoi(config.at("height"));
    const ControlRule* rule = controlRule(name);

    if (rule) {
        ASSERT_EQ(player.lastStatus(), rule->status) << rule->reason;
        if (rule->status != GifStatus::Ok) return;
        EXPECT_EQ(player.actualWidth(), rule->width) << rule->reason;
        EXPECT_EQ(player.actualHeight(), rule->height) << rule->reason;
    } else if (expectedFrames.empty()) {
        EXPECT_EQ(player.frameCount(), 0) << "the reference loads nothing";
        return;
    } else {
        ASSERT_EQ(player.lastStatus(), GifStatus::Ok);
        EXPECT_EQ(player.actualWidth(), ew);
        EXPECT_EQ(player.actualHeight(), eh);
    }
    const std::string loops = config.at("loop-count");
    EXPECT_EQ(player.loops(), loops == "infinite" ? 0 : std::stoi(loops));

    const std::vector<std::vector<uint8_t>> ours = gif.frames();
    const int32_t w = player.actualWidth(), h = player.actualHeight();
    if (rule && rule->allOpaqueBlack) {
        for (const auto& frame : ours) {
            for (size_t i = 0; i < frame.size(); i += 4) {
                ASSERT_EQ(frame[i] | frame[i + 1] | frame[i + 2], 0) << rule->reason;
                ASSERT_EQ(frame[i + 3], 255) << rule->reason;
            }
        }
    } else {
        // Our frames grouped as the reference shows them.
        const bool eachImage = config.count("force-animation") && config.at("force-animation") == "yes";
        const auto& frames = player.file().frames;
        size_t k = 0;
        int32_t groupDelay = 0;
        for (size_t i = 0; i < frames.size(); ++i) {
            groupDelay += frames[i].delay;
            if (!(eachImage || frames[i].delay > 0 || i + 1 == frames.size())) continue;
            ASSERT_LT(k, expectedFrames.size()) << "more shown frames than the reference";
            const auto& section = conf.at(expectedFrames[k]);
            const std::vector<uint8_t> expected = readBytes(dir + "/" + section.at("pixels"));
            ASSERT_EQ(expected.size(), size_t(ew) * size_t(eh) * 4);
            EXPECT_EQ(differences(ours[i], w, h, expected, ew, eh), 0) << "frame " << k << " (image " << i + 1 << ")";
            if (section.count("delay")) {
                EXPECT_EQ(groupDelay, std::stoi(section.at("delay")) * 10);
            }
            groupDelay = 0;
            ++k;
        }
        EXPECT_EQ(k, expectedFrames.size());
    }

    // Written out and read back: the same frames.
    Loaded again(player.animatedGif());
    ASSERT_EQ(again.player.frameCount(), player.frameCount());
    EXPECT_EQ(again.player.loops(), player.loops());
    for (size_t i = 0; i < ours.size(); ++i) {
        const GifFrame& a = player.file().frames[i];
        const GifFrame& b = again.player.file().frames[i];
        EXPECT_TRUE(a.indices == b.indices) << "frame " << i + 1;
        EXPECT_EQ(a.decodedPixels, b.decodedPixels);
        EXPECT_EQ(std::tie(a.left, a.top, a.width, a.height, a.delay, a.disposal, a.hasTransparency),
                  std::tie(b.left, b.top, b.width, b.height, b.delay, b.disposal, b.hasTransparency));
    }
    EXPECT_EQ(again.frames(), ours);

#ifdef LUMORA_WITH_GIFLIB
    expectSameAsGiflib(bytes, player.file());
#endif
}

// An LZW stream for `stream` (indices in the order they are sent), written
// the unusual ways a decoder must still follow.
std::vector<uint8_t> oddLzw(const std::vector<uint8_t>& stream, int minCodeSize, std::mt19937& rng) {
    const uint32_t clear = 1u << minCodeSize;
    std::vector<uint8_t> bytes;
    uint64_t bits = 0;
    uint32_t bitCount = 0, width = 0, next = 0, decoderNext = 0;
    bool afterClear = true;
    std::unordered_map<uint32_t, uint32_t> table;  // (code << 8 | index) -> code
    auto put = [&](uint32_t code) {
        bits |= uint64_t(code) << bitCount;
        for (bitCount += width; bitCount >= 8; bitCount -= 8, bits >>= 8) bytes.push_back(uint8_t(bits));
    };
    auto reset = [&] {
        table.clear();
        width = uint32_t(minCodeSize) + 1;
        next = decoderNext = clear + 2;
        afterClear = true;
    };
    auto data = [&](uint32_t code) {
        put(code);  // at the width the decoder reads it with, then follow its table
        if (afterClear) {
            if (decoderNext == (1u << width)) ++width;  // size 1: the next code may be 4 already
        } else if (decoderNext < 4096 && ++decoderNext == (1u << width) && width < 12) {
            ++width;
        }
        afterClear = false;
    };
    reset();
    if (rng() % 4) put(clear);
    const bool deferClear = rng() % 2;
    const bool randomClears = rng() % 2;
    for (size_t i = 0; i < stream.size();) {
        uint32_t code = stream[i];
        size_t len = 1;
        while (i + len < stream.size() && rng() % 8) {  // longest match, now and then cut short
            const auto it = table.find(code << 8 | stream[i + len]);
            if (it == table.end()) break;
            code = it->second;
            ++len;
        }
        data(code);
        i += len;
        if (i == stream.size()) break;
        const bool full = next == 4096;
        if ((randomClears && rng() % 300 == 0) || (full && (!deferClear || rng() % 50 == 0))) {
            put(clear);
            reset();
            if (rng() % 4 == 0) put(clear);  // a second clear, read at the reset width
        } else if (!full) {
            table.emplace(code << 8 | stream[i], next++);  // the entry the decoder makes next
        }
    }
    if (rng() % 8) put(clear + 1);
    if (bitCount) bytes.push_back(uint8_t(bits));
    std::vector<uint8_t> out = {uint8_t(minCodeSize)};
    for (size_t at = 0; at < bytes.size();) {
        const size_t n = std::min<size_t>(1 + rng() % 255, bytes.size() - at);
        out.push_back(uint8_t(n));
        out.insert(out.end(), bytes.begin() + ptrdiff_t(at), bytes.begin() + ptrdiff_t(at + n));
        at += n;
    }
    out.push_back(0);
    return out;
}

// A random GIF of one to three frames; `frames` receives each frame's indices
// in row order.
std::vector<uint8_t> randomGif(std::mt19937& rng, std::vector<std::vector<uint8_t>>& frames) {
    const int colourBits = 1 + int(rng() % 8);
    // Two colours are written with minimum code size 1 or 2, both in use.
    const int minCodeSize = colourBits == 1 && rng() % 2 ? 1 : std::max(2, colourBits);
    std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, uint8_t(0xF0 | (colourBits - 1)), 0, 0};
    for (int i = 0; i < 3 << colourBits; ++i) gif.push_back(uint8_t(rng()));
    frames.assign(1 + rng() % 3, {});
    for (auto& pixels : frames) {
        const uint32_t w = 1 + rng() % (rng() % 4 ? 64 : 700), h = 1 + rng() % (rng() % 4 ? 64 : 300);
        const bool interlaced = rng() % 3 == 0;
        // Runs of one index and stretches of noise, so strings grow long and short.
        pixels.resize(size_t(w) * h);
        for (size_t i = 0; i < pixels.size();) {
            const size_t run = std::min<size_t>(1 + rng() % 40, pixels.size() - i);
            const uint8_t index = uint8_t(rng() % (1u << colourBits));
            const bool noise = rng() % 2;
            for (size_t k = 0; k < run; ++k, ++i) pixels[i] = noise ? uint8_t(rng() % (1u << colourBits)) : index;
        }
        std::vector<uint8_t> stream;
        const uint32_t passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
        for (const auto& pass : passes) {
            for (uint32_t y = interlaced ? pass[0] : 0; y < h; y += interlaced ? pass[1] : 1) {
                stream.insert(stream.end(), pixels.begin() + ptrdiff_t(y * w), pixels.begin() + ptrdiff_t((y + 1) * w));
            }
            if (!interlaced) break;
        }
        gif.insert(gif.end(), {0x2C, 0, 0, 0, 0, uint8_t(w), uint8_t(w >> 8), uint8_t(h), uint8_t(h >> 8),
                               uint8_t(interlaced ? 0x40 : 0)});
        std::vector<uint8_t> lzw;
        if (rng() % 4 == 0) {
            writeLzw(stream, minCodeSize, lzw);  // the control's own writer
        } else {
            lzw = oddLzw(stream, minCodeSize, rng);
        }
        gif.insert(gif.end(), lzw.begin(), lzw.end());
    }
    gif.push_back(0x3B);
    return gif;
}

TEST(GifSuite, RandomGifsDecodeAsGeneratedAndAsGiflibDoes) {
    std::mt19937 rng(20240611);
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE("random GIF " + std::to_string(i));
        std::vector<std::vector<uint8_t>> frames;
        const std::vector<uint8_t> bytes = randomGif(rng, frames);
        Loaded gif(bytes);
        ASSERT_EQ(gif.player.lastStatus(), GifStatus::Ok);
        ASSERT_EQ(gif.player.file().frames.size(), frames.size());
        for (size_t k = 0; k < frames.size(); ++k) {
            ASSERT_TRUE(gif.player.file().frames[k].complete()) << "frame " << k + 1;
            ASSERT_TRUE(std::ranges::equal(gif.player.file().frames[k].indices, frames[k])) << "frame " << k + 1;
        }
#ifdef LUMORA_WITH_GIFLIB
        expectSameAsGiflib(bytes, gif.player.file());
#endif
    }
}

TEST(GifSuite, EveryCasePassesOrFollowsTheControlsRule) {
    std::ifstream list(kSuite + "/TESTS");
    std::vector<std::string> names;
    for (std::string name; list >> name;) names.push_back(name);
    ASSERT_GT(names.size(), 80u) << "suite not found in " << kSuite;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        checkCase(kSuite, name);
    }
    for (const ControlRule& r : kControlRules) {
        EXPECT_NE(std::find(names.begin(), names.end(), r.name), names.end()) << r.name << " is not in the suite";
    }
}

// Cases of our own, made by the generators beside them: decoders other than
// the suite's reference take these files too.
TEST(GifSuite, OurCasesPassAsTheSuitesDo) {
    for (const char* name : {"code-size-1"}) {
        SCOPED_TRACE(name);
        checkCase(kOurCases, name);
    }
}

}  // namespace
