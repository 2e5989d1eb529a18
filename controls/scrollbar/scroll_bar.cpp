// The XP scroll bar's rules. The order of drawing inside each handler is the
// control's own and decides what the surface shows, so it is kept as is: a
// full redraw paints track, arrows and thumb over everything; a value
// redraw repaints only the track between the arrows, the thumb and the
// pressed track section; hover and press repaint single parts.
#include "controls/scrollbar/scroll_bar.h"

#include <algorithm>

#include "controls/scrollbar/scroll_bar_drawing.h"

namespace lumora {

VellumXPHScrollBar::VellumXPHScrollBar(ControlHost& host, const Skin& skin)
    : host_(host), skin_(skin), ThumbColours_(FillSchemeColours(0)) {}

// --- drawing ------------------------------------------------------------------

void VellumXPHScrollBar::drawArrow(bool right, int state) {
    drawArrowBitmap(surface_, skin_, ColorScheme_, Enabled_, right, state, width_);
    s_.LastDrawnCode = uint8_t(5 * state + (right ? 3 : 1));
    dirty_ = true;
}

void VellumXPHScrollBar::drawThumb(int state) {
    if (!Enabled_ || !thumbShown(width_)) return;
    computeThumbPos();
    drawThumbShape(surface_, skin_, ColorScheme_, ThumbColours_, state, s_.ThumbPos, s_.ThumbWidth);
    s_.LastDrawnCode = uint8_t(5 * state + 2);
    dirty_ = true;
}

void VellumXPHScrollBar::drawPart(uint8_t part, int state) {
    if (part == kPartLeftArrow) drawArrow(false, state);
    if (part == kPartThumb) drawThumb(state);
    if (part == kPartRightArrow) drawArrow(true, state);
}

void VellumXPHScrollBar::fullRedraw() {
    drawTrackTile(surface_, skin_, ColorScheme_, false, 0, width_);
    drawArrow(false, 0);
    drawArrow(true, 0);
    drawThumb(0);
    dirty_ = true;
}

void VellumXPHScrollBar::valueRedraw() {
    drawTrackTile(surface_, skin_, ColorScheme_, false, kArrowWidth, width_ - 2 * kArrowWidth);
    computeThumbPos();
    drawThumb(s_.HotPart == kPartThumb ? 2 : 0);
    drawPressedSection();
    dirty_ = true;
}

// The track between the thumb and the arrow at the side last hovered is
// drawn pressed, unless the thumb is being dragged.
void VellumXPHScrollBar::drawPressedSection() {
    if (s_.Dragging) return;
    if (s_.LastHotPart == kPartTrackLeft)
        drawTrackTile(surface_, skin_, ColorScheme_, true, kArrowWidth, s_.ThumbPos - kArrowWidth);
    else if (s_.LastHotPart == kPartTrackRight) {
        // In 64 bits: a thumb placed by a Value beyond Max sits far out.
        const int64_t x = int64_t{s_.ThumbPos} + s_.ThumbWidth;
        const int64_t w = int64_t{width_} - kArrowWidth - s_.ThumbWidth - s_.ThumbPos;
        if (x < width_ && w > 0)
            drawTrackTile(surface_, skin_, ColorScheme_, true, static_cast<int32_t>(x), static_cast<int32_t>(w));
    }
}

void VellumXPHScrollBar::computeThumbPos() {
    // Max 0: the position cannot be computed and stays as it was.
    if (const std::optional<int32_t> pos = thumbPosition(width_, s_.ThumbWidth, Max_, Value_)) s_.ThumbPos = *pos;
}

void VellumXPHScrollBar::flush() {
    if (!dirty_) return;
    dirty_ = false;
    host_.invalidate();
}

// --- size -----------------------------------------------------------------------

void VellumXPHScrollBar::onResize(int32_t widthPx, int32_t heightPx) {
    const BarSize want = scrollBarSize(widthPx, heightPx);
    width_ = want.width;
    // The window may call onResize back with the corrected size before
    // this returns; the redraw below is then simply done twice.
    if (want.width != widthPx || want.height != heightPx) host_.resizeControl(want.width, want.height);
    resize();
    flush();
}

void VellumXPHScrollBar::resize() {
    surface_.resizeKeeping(width_, kBarHeight);
    if (const std::optional<ThumbSpan> span = thumbSpan(width_, LargeChange_, Max_)) {
        s_.ThumbWidth = span->ThumbWidth;
        s_.Travel = span->Travel;
    }
    fullRedraw();
}

// --- Value ------------------------------------------------------------------------

void VellumXPHScrollBar::assignValue(int64_t v) {
    if (v == Value_) return;
    if (v >= Min_ && v <= Max_)
        Value_ = int32_t(v);
    else if (v < Min_)
        Value_ = Min_;
    else
        Value_ = Max_;
    valueRedraw();
    raiseChange();
    changed("Value");
}

void VellumXPHScrollBar::raiseChange() {
    if (onChange) onChange();
}

void VellumXPHScrollBar::changed(std::string_view name) {
    if (onPropertyChanged) onPropertyChanged(name);
}

void VellumXPHScrollBar::invalidProperty() { host_.messageBox(kInvalidPropertyValue); }

// --- mouse ------------------------------------------------------------------------

void VellumXPHScrollBar::onMouseMove(int heldButtons, int32_t x, int32_t) {
    if (!Enabled_) return;
    const bool left = (heldButtons & kLeftButton) != 0;
    if (left && s_.MouseIsDown) {
        if (s_.PressedPart == kPartThumb) {
            // A drag: the value moves by the share of the travel the mouse
            // has moved since the press. No travel, no drag.
            if (s_.Travel > 0) {
                const int64_t n =
                    int64_t(roundHalfEven((double(x) - s_.MouseX) / s_.Travel * Max_)) + s_.DragStartValue;
                assignValue(n > Max_ ? Max_ : n < Min_ ? Min_ : n);
            }
        } else if (s_.PressedPart == kPartTrackLeft || s_.PressedPart == kPartTrackRight) {
            s_.MouseX = float(x);
        }
        if (onScroll) onScroll();
        flush();
        return;
    }
    s_.HotPart = partAt(x, width_, s_.ThumbPos, s_.ThumbWidth);
    if (s_.HotPart != s_.LastHotPart) {
        const uint8_t last = s_.LastHotPart;
        if (last >= kPartLeftArrow && last <= kPartRightArrow) drawPart(last, 0);
        if (s_.HotPart <= kPartRightArrow) drawPart(s_.HotPart, left ? 2 : 1);
        s_.LastHotPart = s_.HotPart;
    }
    if (!s_.HoverArmed) {
        host_.setTimer(kTimer1, kTimer1Ms);
        s_.HoverArmed = true;
    }
    flush();
}

void VellumXPHScrollBar::onMouseDown(int button, int32_t x, int32_t) {
    if (!Enabled_) return;
    s_.PressedPart = s_.HotPart;
    s_.MouseIsDown = true;
    // That element is already drawn pressed (the mouse came in with the
    // button held): nothing more.
    if (s_.HotPart + 10 == s_.LastDrawnCode) return;
    if (s_.HotPart == kPartTrackLeft) {
        const int64_t v = int64_t(Value_) - LargeChange_;
        assignValue(v < Min_ ? Min_ : v);
    } else if (s_.HotPart == kPartTrackRight) {
        const int64_t v = int64_t(Value_) + LargeChange_;
        assignValue(v > Max_ ? Max_ : v);
    }
    if (button == kLeftButton) {
        if (s_.HotPart == kPartLeftArrow || s_.HotPart == kPartRightArrow) {
            drawPart(s_.HotPart, 2);
        } else if (s_.HotPart == kPartThumb) {
            drawThumb(2);
            s_.Dragging = true;
        }
        if (s_.HotPart != kPartThumb && !s_.RepeatArmed && !s_.Dragging) {
            s_.Timer2Interval = s_.HotPart < kPartTrackLeft ? kArrowRepeatMs : kTrackRepeatMs;
            host_.setTimer(kTimer2, s_.Timer2Interval);
            s_.RepeatArmed = true;
        }
        s_.MouseX = float(x);
        s_.DragStartValue = Value_;
    }
    flush();
}

void VellumXPHScrollBar::onMouseUp(int, int32_t, int32_t) {
    s_.MouseIsDown = false;
    s_.Dragging = false;
    fullRedraw();
    flush();
}

// --- timers -------------------------------------------------------------------------

void VellumXPHScrollBar::onTimer(int id, bool cursorOverMe) {
    if (id == kTimer1) {
        // The hover watch: the cursor has left and no button is held.
        if (!cursorOverMe && !s_.MouseIsDown) {
            if (s_.LastHotPart >= kPartLeftArrow && s_.LastHotPart <= kPartRightArrow) drawPart(s_.LastHotPart, 0);
            s_.LastHotPart = kPartNone;
            dirty_ = true;
            host_.killTimer(kTimer1);
            s_.HoverArmed = false;
        }
    } else if (id == kTimer2) {
        // Auto-repeat: one step of the held part, and Change once more
        // whatever the step did.
        if (s_.MouseIsDown && !s_.Dragging) {
            const int64_t v = Value_;
            switch (s_.PressedPart) {
            case kPartLeftArrow: assignValue(v - 1 >= Min_ ? v - SmallChange_ : 0); break;
            case kPartRightArrow: assignValue(v + 1 <= Max_ ? v + SmallChange_ : int64_t(Max_)); break;
            case kPartTrackLeft: assignValue(v - LargeChange_ >= Min_ ? v - LargeChange_ : int64_t(Min_)); break;
            case kPartTrackRight: assignValue(v + LargeChange_ <= Max_ ? v + LargeChange_ : int64_t(Max_)); break;
            default: break;
            }
            raiseChange();
        }
        // A track press stops once the thumb has reached the mouse; any
        // repeat stops once the button is up.
        const bool onThumb = s_.ThumbPos <= s_.MouseX && s_.MouseX <= float(s_.ThumbPos) + float(s_.ThumbWidth);
        if ((onThumb || !s_.MouseIsDown) && s_.RepeatArmed) {
            drawThumb(0);
            s_.RepeatArmed = false;
            host_.killTimer(kTimer2);
        }
    }
    flush();
}

// --- keyboard -------------------------------------------------------------------------

void VellumXPHScrollBar::onKeyDown(int key) {
    if (!Enabled_) return;
    const int64_t v = Value_;
    switch (key) {
    case kKeyLeft:
    case kKeyUp: assignValue(v - SmallChange_); break;
    case kKeyRight:
    case kKeyDown: assignValue(v + SmallChange_); break;
    case kKeyPrior: assignValue(v - LargeChange_); break;
    case kKeyNext: assignValue(v + LargeChange_); break;
    case kKeyHome: assignValue(Min_); break;
    case kKeyEnd: assignValue(Max_); break;
    default: break;
    }
    flush();
}

// --- properties ------------------------------------------------------------------------

void VellumXPHScrollBar::setMin(int32_t v) {
    Min_ = v < 0 || v > 32767 ? 0 : v;
    assignValue(std::max(Value_, Min_));
    resize();
    changed("Min");
    flush();
}

void VellumXPHScrollBar::setMax(int32_t v) {
    Max_ = v < 0 ? 32767 : v;
    assignValue(std::min(Value_, Max_));
    resize();
    changed("Max");
    flush();
}

void VellumXPHScrollBar::setSmallChange(int32_t v) {
    if (v < 0 || v > 32767) {
        invalidProperty();
        v = 1;
    }
    SmallChange_ = v;
    changed("SmallChange");
}

void VellumXPHScrollBar::setLargeChange(int32_t v) {
    if (v < 0 || v > 10000) {
        invalidProperty();
        v = 1;
    }
    LargeChange_ = v;
    resize();
    changed("LargeChange");
    flush();
}

void VellumXPHScrollBar::setEnabled(bool enabled) {
    Enabled_ = enabled;
    fullRedraw();
    changed("Enabled");
    flush();
}

void VellumXPHScrollBar::setColorScheme(int32_t scheme) {
    if (scheme == -1) scheme = 0;
    if (scheme != ColorScheme_) {
        ColorScheme_ = scheme;
        ThumbColours_ = FillSchemeColours(scheme);
        fullRedraw();
    }
    changed("ColorScheme");
    flush();
}

void VellumXPHScrollBar::initProperties() {
    Max_ = 255;
    LargeChange_ = 10;
    SmallChange_ = 1;
    ThumbColours_ = FillSchemeColours(ColorScheme_);
    resize();
    flush();
}

void VellumXPHScrollBar::readProperties(const PropertyBag& bag) {
    setEnabled(bag.readBool("Enabled", true));
    setLargeChange(bag.readInt("LargeChange", 10));
    setMax(bag.readInt("Max", 255));
    setMin(bag.readInt("Min", 0));
    setSmallChange(bag.readInt("SmallChange", 1));
    setValue(bag.readInt("Value", 0));
    ColorScheme_ = bag.readInt("ColorScheme", 0);
    ThumbColours_ = FillSchemeColours(ColorScheme_);
    resize();
    flush();
}

void VellumXPHScrollBar::writeProperties(PropertyBag& bag) const {
    bag.writeBool("Enabled", Enabled_, true);
    bag.writeInt("LargeChange", LargeChange_, 10);
    bag.writeInt("Max", Max_, 255);
    bag.writeInt("Min", Min_, 0);
    bag.writeInt("SmallChange", SmallChange_, 1);
    bag.writeInt("Value", Value_, 0);
    bag.writeInt("Colorscheme", ColorScheme_, 0);
}

PixelImage renderScrollBar(const PropertyBag& properties, int32_t width, std::span<const ControlEvent> events,
                           const Skin& skin) {
    HeadlessControlHost host;
    VellumXPHScrollBar bar(host, skin);
    bar.onResize(width, kBarHeight);
    bar.readProperties(properties);
    for (const ControlEvent& e : events) deliver(bar, e);
    return bar.surface();
}

}  // namespace lumora
