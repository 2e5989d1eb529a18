// The animated GIF control's state machine (see gif_player.h): loading,
// deferred decoding, the frame timer, loops, stretch, mirroring, hiding and
// the saved properties.
#include "controls/gif/gif_player.h"

#include <algorithm>
#include <limits>

#include "controls/gif/gif_writer.h"
#include "controls/gif/lzw_decoder.h"

namespace lumora {

namespace {

constexpr uint32_t kDeferredDecodeMs = 20;

// One frame of the picture as shown with `bits` of Mirrored: its indices
// flipped and its place mirrored on the canvas. A frame whose data ended
// early is first made whole: the pixels never drawn become transparent
// (through an index the frame does not use, when it has no transparent one).
void mirrorFrame(GifFrame& f, int32_t canvasWidth, int32_t canvasHeight, int bits) {
    const uint32_t w = uint32_t(f.width), h = uint32_t(f.height);
    if (f.indices.size() != f.area()) return;
    if (!f.complete()) {
        std::vector<bool> drawn(f.indices.size(), false);
        uint64_t left = f.decodedPixels;
        for (uint32_t s = 0; s < h && left > 0; ++s) {
            const uint32_t row = f.interlaced ? interlacedImageRow(s, h) : s;
            for (uint32_t x = 0; x < w && left > 0; ++x, --left) drawn[size_t(row) * w + x] = true;
        }
        if (!f.hasTransparency) {
            std::vector<bool> used(256, false);
            for (size_t i = 0; i < drawn.size(); ++i)
                if (drawn[i]) used[f.indices[i]] = true;
            const auto unused = std::find(used.begin(), used.end(), false);
            if (unused == used.end()) return;  // all 256 in use: left as it is
            f.hasTransparency = true;
            f.transparentIndex = uint8_t(unused - used.begin());
        }
        for (size_t i = 0; i < drawn.size(); ++i)
            if (!drawn[i]) f.indices[i] = f.transparentIndex;
        f.decodedPixels = f.area();
    }
    if (bits & 1) {
        for (uint32_t y = 0; y < h; ++y) std::reverse(f.indices.begin() + ptrdiff_t(y * w), f.indices.begin() + ptrdiff_t((y + 1) * w));
        f.left = canvasWidth - f.left - f.width;
    }
    if (bits & 2) {
        for (uint32_t y = 0; y < h / 2; ++y)
            std::swap_ranges(f.indices.begin() + ptrdiff_t(y * w), f.indices.begin() + ptrdiff_t((y + 1) * w),
                             f.indices.begin() + ptrdiff_t((h - 1 - y) * w));
        f.top = canvasHeight - f.top - f.height;
    }
}

}  // namespace

std::vector<uint8_t> packMask(const GifPicture& picture) {
    if (picture.empty()) return {};
    const size_t stride = (size_t(picture.width) + 31) / 32 * 4;
    std::vector<uint8_t> rows(stride * size_t(picture.height), 0);
    for (int32_t y = 0; y < picture.height; ++y) {
        const uint8_t* m = picture.mask + int64_t(y) * picture.width;
        uint8_t* row = rows.data() + size_t(y) * stride;
        for (int32_t x = 0; x < picture.width; ++x) {
            if (m[x]) row[x >> 3] |= uint8_t(0x80 >> (x & 7));
        }
    }
    return rows;
}

GifPlayer::GifPlayer(GifHost& host) : host_(host) {}

GifPlayer::~GifPlayer() {
    if (timerSet_) host_.killTimer();
}

// --- loading -----------------------------------------------------------------

bool GifPlayer::loadAnimatedGifArray(std::span<const uint8_t> bytes) {
    const bool loaded = load(bytes);
    if (loaded) resizeAfterLoad();
    return loaded;
}

void GifPlayer::setAnimatedGif(std::span<const uint8_t> bytes) {
    load(bytes);
}

std::vector<uint8_t> GifPlayer::animatedGif() const {
    if (currentFrame_ == 0) return {};
    // Before the deferred decode the original bytes are still here, and the
    // frames to flip are not decoded yet.
    if (deferredPending_) return gifData_;
    if (mirrored_ == 0) return writeGif(file_, loops_);
    // The picture as shown: the frames flipped as they are drawn.
    GifFile shown = file_;
    for (GifFrame& frame : shown.frames) mirrorFrame(frame, shown.canvasWidth, shown.canvasHeight, mirrored_);
    return writeGif(shown, loops_);
}

void GifPlayer::releaseAll() {
    if (timerSet_) host_.killTimer();
    timerSet_ = false;
    playing_ = false;
    deferredPending_ = false;
    resumeOnShow_ = false;
    file_ = GifFile{};
    composer_.release();
    gifData_ = std::vector<uint8_t>{};
    currentFrame_ = 0;
    loopsDone_ = 0;
    action_ = kActionStop;
}

void GifPlayer::fail(GifStatus status) {
    releaseAll();
    status_ = status;
    host_.invalidate();  // whatever was shown is gone
}

bool GifPlayer::load(std::span<const uint8_t> bytes) {
    releaseAll();
    if (bytes.empty()) {
        fail(GifStatus::NoData);
        return false;
    }
    budget_ = AllocationBudget(allocationLimit_);
    GifStatus status = parseGif(bytes, budget_, file_);
    if (status == GifStatus::Ok && !composer_.allocate(file_, budget_)) status = GifStatus::TooLarge;
    if (status == GifStatus::Ok && !decodeFrames(bytes, 0, 1)) status = status_;
    if (status != GifStatus::Ok) {
        fail(status);
        return false;
    }
    status_ = GifStatus::Ok;
    // A file that names no loop count leaves Loops as it was.
    if (file_.hasLoopCount) loops_ = file_.loopCount;
    showFrame(1);

    if ((delayAnimation_ & 1) && frameCount() > 1) {
        // Show the first frame now, decode the others when the timer fires:
        // until then the bytes are ours to keep.
        gifData_.assign(bytes.begin(), bytes.end());
        deferredPending_ = true;
        if (host_.setTimer(kDeferredDecodeMs)) {
            timerSet_ = true;
        } else {
            finishDeferredDecode();
        }
        return currentFrame_ != 0;
    }
    // Decoded straight from the caller's bytes: nothing to keep or release.
    if (!decodeFrames(bytes, 1, file_.frames.size())) {
        fail(status_);
        return false;
    }
    autoStart();
    return true;
}

bool GifPlayer::decodeFrames(std::span<const uint8_t> bytes, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) {
        GifFrame& frame = file_.frames[i];
        if (!budget_.take(frame.area())) {
            status_ = GifStatus::TooLarge;
            return false;
        }
        frame.indices.resize(size_t(frame.area()));
        const LzwOutput out = decodeLzw(bytes, frame.dataPos, uint32_t(frame.width), uint32_t(frame.height),
                                        frame.interlaced, frame.indices.data(), scratch_);
        if (out.result != LzwResult::Ok) {
            status_ = GifStatus::UndecodableFrame;
            return false;
        }
        frame.decodedPixels = out.decoded;
    }
    return true;
}

// Deferred decoding: the remaining frames, then the data is released, then
// the animation starts (in that order: it cannot play frames that do not
// exist yet).
void GifPlayer::finishDeferredDecode() {
    if (timerSet_) host_.killTimer();
    timerSet_ = false;
    deferredPending_ = false;
    if (!decodeFrames(gifData_, 1, file_.frames.size())) {
        fail(status_);
        return;
    }
    gifData_ = std::vector<uint8_t>{};
    autoStart();
}

void GifPlayer::autoStart() {
    if (delayAnimation_ & 2) return;
    if (hidden_) {
        resumeOnShow_ = true;
    } else {
        startPlaying();
    }
}

// --- timing ------------------------------------------------------------------

uint32_t GifPlayer::intervalFor(int32_t n) const {
    return uint32_t(std::max(file_.frames[size_t(n - 1)].delay, minFrameDelay_));
}

void GifPlayer::showFrame(int32_t n) {
    currentFrame_ = n;
    composer_.compose(file_, n, mirrored_);
    host_.invalidate();
}

void GifPlayer::startPlaying() {
    if (playing_ || currentFrame_ == 0 || frameCount() <= 1) return;
    if (!host_.setTimer(intervalFor(currentFrame_))) return;  // it simply does not start
    timerSet_ = true;
    playing_ = true;
    action_ = kActionPlay;
}

void GifPlayer::pause() {
    // A deferred decode's timer is not the animation's: it still fires, and
    // the animation starts after it as it would have.
    if (timerSet_ && !deferredPending_) {
        host_.killTimer();
        timerSet_ = false;
    }
    playing_ = false;
    action_ = kActionPause;
}

void GifPlayer::stop() {
    pause();
    action_ = kActionStop;
    loopsDone_ = 0;
    showFrame(1);
}

void GifPlayer::setAction(int32_t action) {
    if (action < kActionStop || action > kActionRestart || currentFrame_ == 0) return;
    if (deferredPending_) {
        finishDeferredDecode();
        if (currentFrame_ == 0) return;
    }
    resumeOnShow_ = false;  // an explicit command overrides what hiding remembered
    switch (action) {
        case kActionStop: stop(); break;
        case kActionPlay: startPlaying(); break;
        case kActionPause: pause(); break;
        case kActionStep:
            pause();
            showFrame(currentFrame_ % frameCount() + 1);
            break;
        case kActionRestart:
            stop();
            startPlaying();
            break;
    }
}

void GifPlayer::onTimer() {
    if (timerSet_) host_.killTimer();
    timerSet_ = false;
    if (deferredPending_) {
        finishDeferredDecode();
        return;
    }
    if (!playing_ || currentFrame_ == 0) return;  // a tick that was already on its way

    int32_t next = currentFrame_ + 1;
    bool passComplete = false;
    if (next > frameCount()) {
        next = 1;
        passComplete = true;
    }
    bool goOn = true;
    if (frameCount() == 1) {
        loopsDone_ = 1;
        action_ = kActionStop;
        goOn = false;
    } else if (passComplete && loops_ != 0) {
        ++loopsDone_;
        // At or past Loops: Loops may have been lowered during the run.
        if (loopsDone_ >= loops_) {
            action_ = kActionStop;
            loopsDone_ = 0;
            goOn = false;
        }
    }
    showFrame(next);
    if (goOn) {
        timerSet_ = host_.setTimer(intervalFor(next));
        playing_ = timerSet_;
        return;
    }
    playing_ = false;
    host_.loopsEnded();  // last: the handler may start the animation again
}

void GifPlayer::hide() {
    hidden_ = true;
    if (playing_) {
        pause();
        resumeOnShow_ = true;
    }
}

void GifPlayer::show() {
    if (!hidden_) return;
    hidden_ = false;
    if (resumeOnShow_) {
        resumeOnShow_ = false;
        startPlaying();
    }
}

// --- size, stretch, mirror -------------------------------------------------------

GifPicture GifPlayer::picture() const {
    if (currentFrame_ == 0) return {};
    return {composer_.width(), composer_.height(), composer_.pixels(), composer_.mask()};
}

GifDrawRect GifPlayer::drawRect() const {
    if (currentFrame_ == 0) return {};
    const GifHost::Size client = host_.clientSize();
    return stretchRect(stretch_, client.width, client.height, file_.canvasWidth, file_.canvasHeight);
}

void GifPlayer::resizeToRule() {
    const GifDrawRect r = drawRect();
    const GifHost::Size client = host_.clientSize();
    if (r.width != client.width || r.height != client.height) host_.resizeControl(r.width, r.height);
}

void GifPlayer::onResize() {
    if (currentFrame_ == 0 || inResize_) return;
    inResize_ = true;  // resizing ourselves brings us back here
    resizeToRule();
    inResize_ = false;
}

void GifPlayer::resizeAfterLoad() {
    if (stretch_ == 1 || stretch_ == 3 || stretch_ == 4) onResize();
}

void GifPlayer::setStretch(int32_t stretch) {
    if (stretch < 0 || stretch > 4) return;
    if (currentFrame_ == 0) {
        stretch_ = stretch;
        return;
    }
    const bool wasPlaying = playing_;
    const int32_t previousAction = action_;
    pause();
    stretch_ = stretch;
    onResize();
    if (wasPlaying) {
        startPlaying();
    } else {
        action_ = previousAction;
    }
    host_.invalidate();
}

void GifPlayer::setMirrored(int32_t bits) {
    if (bits < 0 || bits > 3) return;
    const int changed = bits ^ mirrored_;
    mirrored_ = bits;
    if (currentFrame_ == 0 || changed == 0) return;
    const bool wasPlaying = playing_;
    const int32_t previousAction = action_;
    pause();
    composer_.mirror(changed);
    if (wasPlaying) {
        startPlaying();
    } else {
        action_ = previousAction;
    }
    host_.invalidate();
}

// --- plain properties -----------------------------------------------------------

void GifPlayer::setLoops(int32_t loops) {
    // |INT32_MIN| does not fit: the control's Abs overflowed and kept the old value.
    if (loops == std::numeric_limits<int32_t>::min()) return;
    loops_ = loops < 0 ? -loops : loops;
}

int32_t GifPlayer::loopsRemaining() const {
    if (currentFrame_ == 0) return -1;
    if (loops_ == 0) return 0;
    return loops_ - loopsDone_;
}

void GifPlayer::setMinFrameDelay(int32_t ms) {
    minFrameDelay_ = std::clamp(ms, 10, 32700);
}

void GifPlayer::setDelayAnimation(int32_t bits) {
    if (bits >= 0 && bits <= 3) delayAnimation_ = bits;
}

// --- saved properties -------------------------------------------------------------

void GifPlayer::readProperties(const PropertyBag& bag) {
    setEnabled(bag.readBool("Enabled", true));
    setStretch(bag.readInt("Stretch", 1));
    setMinFrameDelay(bag.readInt("Delay", 50));
    setMirrored(bag.readInt("Mirror", 0));
    const int32_t delayLoad = bag.readInt("DelayLoad", 1);
    setDelayAnimation(delayLoad == -1 ? 1 : delayLoad);  // a stored True
    setMouseIcon(bag.readBytes("MouseIcon"));
    setMousePointer(bag.readInt("MousePointer", 0));
    // The data, then its load (which takes the file's loop count), then the
    // saved Loops over it.
    const std::vector<uint8_t> gif = bag.readBytes("GIF");
    if (!gif.empty() || currentFrame_ != 0) load(gif);
    setLoops(bag.readInt("Loops", 0));
}

void GifPlayer::writeProperties(PropertyBag& bag) const {
    bag.writeBytes("GIF", animatedGif());
    bag.writeBool("Enabled", enabled_, true);
    bag.writeInt("Stretch", stretch_, 1);
    bag.writeInt("Delay", minFrameDelay_, 50);
    bag.writeInt("Loops", loops_, 0);
    bag.writeInt("Mirror", mirrored_, 0);
    bag.writeInt("DelayLoad", delayAnimation_, 1);
    bag.writeBytes("MouseIcon", mouseIcon_);
    bag.writeInt("MousePointer", mousePointer_, 0);
}

}  // namespace lumora
