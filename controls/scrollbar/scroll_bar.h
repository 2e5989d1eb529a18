// `VellumXPHScrollBar`: the front end's skinned horizontal scroll bar
// without its window. It keeps the properties (Min, Max, Value, SmallChange,
// LargeChange, Enabled, ColorScheme) with their assignment rules, the thumb
// geometry, hit-testing and hover (HotPart, LastHotPart, PressedPart,
// LastDrawnCode), dragging, track paging, the Timer1 hover watch and the
// Timer2 auto-repeat, raises Change and Scroll, and draws itself onto a
// persistent surface, one drawing operation after another in the control's
// own order (a full redraw, a value redraw, a single arrow or the thumb), so
// the surface always shows what that sequence of drawings leaves.
//
// How a window layer drives it:
//   - Create the window, then the bar with a ControlHost and the loaded Skin.
//     WM_SIZE: onResize(w, h); the bar asks for its own size through
//     ControlHost::resizeControl (17 high, at least 34 wide). On form load
//     readProperties(bag), on save writeProperties(bag); a bar placed anew
//     takes initProperties().
//   - WM_MOUSEMOVE: onMouseMove(held buttons, x, y); WM_xBUTTONDOWN (and
//     double clicks, which are two presses) / UP: onMouseDown / onMouseUp,
//     taking the capture on a press and releasing it on the release;
//     WM_KEYDOWN/UP: onKeyDown/onKeyUp(vk). WM_TIMER of kTimer1 and kTimer2:
//     onTimer(id, WindowFromPoint(GetCursorPos()) == this window). The bar
//     starts and stops both through ControlHost; kill them in WM_DESTROY.
//   - WM_PAINT (after ControlHost::invalidate): blit surface(), W x 17.
//   - Enabled: also enable or disable the window (a disabled bar gets no
//     mouse or keys; a release still resets it). "Invalid property value"
//     arrives through ControlHost::messageBox.
// Everything runs on the window's thread; nothing is thread-safe. Change and
// Scroll may be raised while a property is being set or loaded.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "controls/paint/control_host.h"
#include "controls/paint/pixel_image.h"
#include "controls/paint/skin.h"
#include "controls/property_bag.h"
#include "controls/scrollbar/scroll_geometry.h"
#include "controls/scrollbar/thumb_colours.h"

namespace lumora {

// The keys the bar answers (virtual-key codes).
inline constexpr int kKeyPrior = 0x21;  // Page Up
inline constexpr int kKeyNext = 0x22;   // Page Down
inline constexpr int kKeyEnd = 0x23;
inline constexpr int kKeyHome = 0x24;
inline constexpr int kKeyLeft = 0x25;
inline constexpr int kKeyUp = 0x26;
inline constexpr int kKeyRight = 0x27;
inline constexpr int kKeyDown = 0x28;

struct ScrollBarState {
    uint8_t HotPart = kPartNone;      // the part under the mouse
    uint8_t LastHotPart = kPartNone;  // the part last drawn highlighted
    uint8_t PressedPart = 0;          // HotPart at the last press
    bool MouseIsDown = false, Dragging = false, RepeatArmed = false, HoverArmed = false;
    float MouseX = 0;                 // x of the last press; follows the mouse while a track section is held
    int32_t DragStartValue = 0;
    int32_t ThumbPos = 0, ThumbWidth = 0, Travel = 0;
    uint8_t LastDrawnCode = 0;        // 5 * state + element (1 left arrow, 2 thumb, 3 right arrow)
    uint32_t Timer2Interval = 0;      // ms: 100 on an arrow, 200 on the track
};

class VellumXPHScrollBar {
public:
    static constexpr int kTimer1 = 1;  // hover watch
    static constexpr int kTimer2 = 2;  // auto-repeat
    static constexpr uint32_t kTimer1Ms = 5;
    static constexpr uint32_t kArrowRepeatMs = 100;
    static constexpr uint32_t kTrackRepeatMs = 200;
    static constexpr std::string_view kInvalidPropertyValue = "Invalid property value";

    // `skin` must outlive the bar. Nothing is drawn before the first onResize.
    VellumXPHScrollBar(ControlHost& host, const Skin& skin);

    // --- the window's events -------------------------------------------------
    void onMouseMove(int heldButtons, int32_t x, int32_t y);
    void onMouseDown(int button, int32_t x, int32_t y);
    void onMouseUp(int button, int32_t x, int32_t y);
    void onTimer(int id, bool cursorOverMe);
    // Left and Up step back by SmallChange, Right and Down forward; Page Up
    // and Page Down by LargeChange; Home and End go to Min and Max. Each is a
    // Value assignment (so Change fires as that rule says).
    void onKeyDown(int key);
    void onKeyUp(int) {}
    void onFocusGained() {}
    void onFocusLost() {}
    void onResize(int32_t widthPx, int32_t heightPx);

    // --- properties -------------------------------------------------------------
    int32_t min() const { return Min_; }
    void setMin(int32_t v);
    int32_t max() const { return Max_; }
    void setMax(int32_t v);
    int32_t value() const { return Value_; }
    void setValue(int32_t v) { assignValue(v); flush(); }
    int32_t smallChange() const { return SmallChange_; }
    void setSmallChange(int32_t v);
    int32_t largeChange() const { return LargeChange_; }
    void setLargeChange(int32_t v);
    bool enabled() const { return Enabled_; }
    void setEnabled(bool enabled);
    int32_t colorScheme() const { return ColorScheme_; }
    void setColorScheme(int32_t scheme);

    // A bar placed anew: Max 255, LargeChange 10, SmallChange 1.
    void initProperties();
    // "Enabled", "LargeChange", "Max", "Min", "SmallChange", "Value" through
    // their rules, then "ColorScheme" as stored; saving writes the same seven
    // ("Colorscheme"), skipping defaults.
    void readProperties(const PropertyBag& bag);
    void writeProperties(PropertyBag& bag) const;

    // --- painting and state ----------------------------------------------------
    const PixelImage& surface() const { return surface_; }
    int32_t width() const { return width_; }
    const ScrollBarState& state() const { return s_; }
    const ThumbColourTable& thumbColours() const { return ThumbColours_; }

    std::function<void()> onChange;
    std::function<void()> onScroll;
    std::function<void(std::string_view name)> onPropertyChanged;

private:
    void resize();
    void fullRedraw();
    void valueRedraw();
    void drawArrow(bool right, int state);
    void drawThumb(int state);
    void drawPart(uint8_t part, int state);
    void drawPressedSection();
    void computeThumbPos();
    void assignValue(int64_t v);
    void raiseChange();
    void changed(std::string_view name);
    void invalidProperty();
    void flush();

    ControlHost& host_;
    const Skin& skin_;
    PixelImage surface_;
    bool dirty_ = false;
    int32_t width_ = 0;

    int32_t Min_ = 0, Max_ = 255, Value_ = 0, SmallChange_ = 1, LargeChange_ = 10;
    bool Enabled_ = true;
    int32_t ColorScheme_ = 0;
    ThumbColourTable ThumbColours_;
    ScrollBarState s_;
};

// Paints a bar as a window would show it, without one: a bar of `width`
// pixels given `properties` (as saved), then `events` in order. For the
// gallery's pictures and for comparing them with the window's.
PixelImage renderScrollBar(const PropertyBag& properties, int32_t width, std::span<const ControlEvent> events,
                           const Skin& skin);

}  // namespace lumora
