// `GifPlayer`: the animated GIF control without its window. It holds the GIF
// bytes, parses and decodes them (our own LZW, no platform picture loader),
// composes the frame being shown, keeps the timing (Action, Loops, delays),
// the stretch and mirror settings, and reads and writes the saved
// properties. A window layer (controls/win32) owns the window, the timer and
// the painting, and drives the player through `GifHost`.
//
// How the window layer drives it:
//   - Create the window, then the player with a GifHost whose clientSize()
//     already answers. On form load call readProperties(bag) (it loads the
//     saved "GIF", if any); on form save writeProperties(bag).
//   - LoadAnimatedGIF_File: read the file; if it cannot be read, return False
//     and leave the player alone (what is shown stays); otherwise return
//     loadAnimatedGifArray(bytes). LoadAnimatedGIF_Array: the same with the
//     array's bytes. Remote: download, then checkRemoteHeader(bytes) (false:
//     raise RemoteLoadFailure), raise RemoteLoadComplete(width, height,
//     Cancel) with the header's size in container units, and unless
//     cancelled call loadAnimatedGifArray(bytes).
//   - WM_TIMER of the one timer: onTimer(). WM_SIZE: onResize(). Hidden:
//     hide(); shown: show(). Destroyed: destroy the player (it kills the timer).
//   - WM_PAINT: when picture() is not empty, build a top-down 32-bit DIB from
//     its pixels and a 1-bit mask from packMask(), and draw drawRect():
//     mask with AND, then pixels with OR (BitBlt, or StretchBlt in HALFTONE
//     when drawRect().stretched()). Painting only reads: frames are composed
//     when the shown frame changes, never on paint.
//   - Property pages map onto the setters below; each ignores values out of
//     its range as the control did.
// Everything here runs on the window's thread; nothing is thread-safe.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "controls/gif/gif_composer.h"
#include "controls/gif/gif_file.h"
#include "controls/gif/gif_stretch.h"
#include "controls/property_bag.h"

namespace lumora {

// What the player asks of its window. One timer per control: it serves the
// frame delays and the one-off 20 ms deferred decode alike.
class GifHost {
public:
    virtual ~GifHost() = default;
    // (Re)starts the control's timer; false when it could not be made.
    virtual bool setTimer(uint32_t milliseconds) = 0;
    virtual void killTimer() = 0;
    // The picture changed: repaint.
    virtual void invalidate() = 0;
    // Give the control this client size (pixels); may call onResize() back.
    virtual void resizeControl(int32_t widthPx, int32_t heightPx) = 0;
    struct Size {
        int32_t width = 0, height = 0;
    };
    virtual Size clientSize() const = 0;
    // The event LoopsEnded: the animation stopped after its last loop.
    virtual void loopsEnded() = 0;
};

// The picture to paint, the size of the canvas; empty when nothing is loaded.
struct GifPicture {
    int32_t width = 0, height = 0;
    const uint32_t* pixels = nullptr;  // 0x00RRGGBB rows top-down, black where transparent
    const uint8_t* mask = nullptr;     // 1 where transparent (white in the mask), else 0
    bool empty() const { return pixels == nullptr; }
};

// The mask as 1-bit rows for a top-down DIB: most significant bit first, set
// where transparent, each row padded to 32 bits.
std::vector<uint8_t> packMask(const GifPicture& picture);

enum GifAction : int { kActionStop = 0, kActionPlay = 1, kActionPause = 2, kActionStep = 3, kActionRestart = 4 };

class GifPlayer {
public:
    explicit GifPlayer(GifHost& host);
    ~GifPlayer();
    GifPlayer(const GifPlayer&) = delete;
    GifPlayer& operator=(const GifPlayer&) = delete;

    // --- loading ---------------------------------------------------------
    // LoadAnimatedGIF_Array (and File / Remote once the bytes are here): load,
    // then, for Stretch 1, 3 and 4, give the control the drawn size. True when
    // at least one frame was loaded. Any earlier GIF is released first.
    bool loadAnimatedGifArray(std::span<const uint8_t> bytes);
    // The `AnimatedGIF` property: assigning loads without resizing (empty
    // bytes erase the picture); reading writes the loaded frames out again as
    // a GIF (empty when nothing is loaded).
    void setAnimatedGif(std::span<const uint8_t> bytes);
    std::vector<uint8_t> animatedGif() const;
    // Why the last load failed (number 53, "ReadGifFile", "End of File" for a
    // truncated file); status Ok after a successful one.
    GifStatus lastStatus() const { return status_; }
    GifError lastError() const { return gifError(status_); }
    // The most one load may allocate (default 256 MB).
    void setAllocationLimit(uint64_t bytes) { allocationLimit_ = bytes; }

    // --- the window's events ----------------------------------------------
    void onTimer();
    // Gives the control the drawn size of the stretch rule (through
    // resizeControl; Stretch 0: at most the canvas, 2: the size it has).
    void onResize();
    void hide();  // pauses, remembering whether it was playing
    void show();  // resumes only if it was playing when hidden
    void refresh() { host_.invalidate(); }

    // --- painting ---------------------------------------------------------
    GifPicture picture() const;
    // Where to draw it, from the current client size and `Stretch`.
    GifDrawRect drawRect() const;

    // --- properties -------------------------------------------------------
    int32_t action() const { return action_; }
    // 0 stop (frame 1), 1 play, 2 pause, 3 step (pauses: Action then reads 2),
    // 4 restart; only with a GIF loaded, other values ignored.
    void setAction(int32_t action);
    int32_t loops() const { return loops_; }
    void setLoops(int32_t loops);    // the absolute value is kept
    int32_t loopsRemaining() const;  // -1 nothing loaded, 0 when Loops is 0, else Loops - loopsDone
    int32_t loopsDone() const { return loopsDone_; }
    int32_t minFrameDelay() const { return minFrameDelay_; }
    void setMinFrameDelay(int32_t ms);  // clamped to 10..32700
    int32_t stretch() const { return stretch_; }
    void setStretch(int32_t stretch);   // 0..4
    int32_t mirrored() const { return mirrored_; }
    void setMirrored(int32_t bits);     // 0..3: bit 0 horizontal, bit 1 vertical
    int32_t delayAnimation() const { return delayAnimation_; }
    void setDelayAnimation(int32_t bits);  // 0..3: bit 0 deferred decode, bit 1 no autostart
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    const std::vector<uint8_t>& mouseIcon() const { return mouseIcon_; }
    void setMouseIcon(std::vector<uint8_t> bytes) { mouseIcon_ = std::move(bytes); }
    int32_t mousePointer() const { return mousePointer_; }
    void setMousePointer(int32_t pointer) { mousePointer_ = pointer; }

    int32_t frameCount() const { return int32_t(file_.frames.size()); }
    int32_t actualWidth() const { return file_.canvasWidth; }   // pixels
    int32_t actualHeight() const { return file_.canvasHeight; }
    int32_t currentFrame() const { return currentFrame_; }      // 1-based, 0 when nothing is loaded
    bool playing() const { return playing_; }
    const GifFile& file() const { return file_; }

    // --- saved properties -------------------------------------------------
    // "GIF", "Enabled", "Stretch", "Delay", "Loops", "Mirror", "DelayLoad",
    // "MouseIcon", "MousePointer". Reading restores the data, loads it, and
    // then takes the saved Loops.
    void readProperties(const PropertyBag& bag);
    void writeProperties(PropertyBag& bag) const;

private:
    bool load(std::span<const uint8_t> bytes);
    bool decodeFrames(std::span<const uint8_t> bytes, size_t from, size_t to);
    void finishDeferredDecode();
    void autoStart();
    void releaseAll();
    void fail(GifStatus status);
    void startPlaying();
    void pause();
    void stop();
    void showFrame(int32_t n);
    void resizeToRule();
    void resizeAfterLoad();
    uint32_t intervalFor(int32_t n) const;

    GifHost& host_;
    GifFile file_;
    GifComposer composer_;
    std::vector<uint8_t> gifData_;   // held for a deferred decode, released after it
    std::vector<uint8_t> scratch_;   // the LZW decoder's gathered sub-blocks
    AllocationBudget budget_;
    uint64_t allocationLimit_ = AllocationBudget::kDefaultLimit;
    GifStatus status_ = GifStatus::NoData;

    int32_t currentFrame_ = 0;
    int32_t loopsDone_ = 0;
    bool playing_ = false;
    bool timerSet_ = false;
    bool deferredPending_ = false;
    bool hidden_ = false;
    bool resumeOnShow_ = false;
    bool inResize_ = false;

    int32_t action_ = 0;
    int32_t loops_ = 0;
    int32_t minFrameDelay_ = 50;
    int32_t stretch_ = 1;
    int32_t mirrored_ = 0;
    int32_t delayAnimation_ = 1;
    bool enabled_ = true;
    std::vector<uint8_t> mouseIcon_;
    int32_t mousePointer_ = 0;
};

}  // namespace lumora
