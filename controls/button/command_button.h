// `Command`: the front end's skinned push button without its window. It
// keeps the button's state (ButtonState, MouseIsDown, Enabled, FirstRun,
// InvertGradient), follows the mouse, focus, timer and keyboard rules,
// raises Click, keeps the saved properties, and says which look the face
// shows. The window layer owns the window, the timer and the text.
//
// How a window layer drives it:
//   - Create the window, then a Command with a ControlHost. On form load
//     call readProperties(bag), then onResize(w, h) (the properties come
//     before the size, so a disabled button shows its Disable face), then
//     Initialize() (the settings dialog does so for each button); on save
//     writeProperties(bag).
//   - WM_MOUSEMOVE: onMouseMove(held buttons, x, y); WM_xBUTTONDOWN/UP:
//     onMouseDown/onMouseUp(button, x, y), taking the mouse capture on a
//     press and releasing it on the release; WM_SETFOCUS/WM_KILLFOCUS:
//     onFocusGained/onFocusLost; WM_KEYDOWN/UP: onKeyDown/onKeyUp(vk);
//     WM_SIZE: onResize(w, h); WM_TIMER of kTmrMouse:
//     onTimer(kTmrMouse, WindowFromPoint(GetCursorPos()) == this window).
//     Kill the timer in WM_DESTROY.
//   - WM_PAINT: paint(surface, skin) and blit the surface, then draw
//     captionLayout(label height)'s text over it, in the button's own window.
//   - Raise the container's Click from onClick.
// Everything runs on the window's thread; nothing is thread-safe.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "controls/button/button_face.h"
#include "controls/paint/control_host.h"
#include "controls/property_bag.h"

namespace lumora {

// The keys the button answers (virtual-key codes).
inline constexpr int kKeyReturn = 0x0D;
inline constexpr int kKeySpace = 0x20;

struct CommandState {
    uint8_t ButtonState = 0;  // 1 Normal, 2 HighLight, 3 Selected, 4 HighLightSelect; 0 until Initialize
    bool MouseIsDown = false;
    bool Enabled = true;
    uint8_t FirstRun = 0;     // 0 on a control never loaded from a property store
    bool InvertGradient = false;
};

// The caption's font. Loading restores the face name only; the rest is the
// label's own.
struct ButtonFont {
    std::string name;  // UTF-8
    double sizePoints = 9;
    bool bold = false, italic = false, underline = false, strikethrough = false;
};

// Where and how the window layer draws the caption over the face: a label
// as wide as the button, centred horizontally, transparent.
struct CaptionLayout {
    std::string text;  // UTF-8
    ButtonFont font;
    uint32_t colour = 0;  // a Windows colour value (0x00BBGGRR), as FontColour holds it
    bool enabled = true;  // false: greyed text
    int32_t left = 0, width = 0;  // pixels
    double topTwips = 0;          // (H - label height - 20) / 2, in twips
    int32_t top = 0;              // the same in pixels, rounded half to even
};

class Command {
public:
    static constexpr int kTmrMouse = 1;            // the mouse-leave timer's id
    static constexpr uint32_t kTmrMouseMs = 100;
    static constexpr int kTwipsPerPixel = 15;
    // The caption of a new control, and the default of the saved "Caption".
    static constexpr std::string_view kDesignCaption = "Command";
    static constexpr std::string_view kDefaultCaption = "Command1";

    // `ambientFont`: the container's font, the label's font until one is set.
    explicit Command(ControlHost& host, ButtonFont ambientFont = {});

    // ButtonState 1 and the 100 ms mouse-leave timer on. Until then hover
    // looks never appear; focus, press and Click work.
    void Initialize();

    // --- the window's events -------------------------------------------------
    void onMouseMove(int heldButtons, int32_t x, int32_t y);
    void onMouseDown(int button, int32_t x, int32_t y);
    void onMouseUp(int button, int32_t x, int32_t y);
    void onFocusGained();
    void onFocusLost();
    void onTimer(int id, bool cursorOverMe);
    // Space presses the button and raises Click on its release; Return
    // raises Click at once. Only a focused window gets keys.
    void onKeyDown(int key);
    void onKeyUp(int key);
    void onResize(int32_t widthPx, int32_t heightPx);

    // --- properties (reading some of them repaints, as the control did) -----
    bool getEnabled();
    void setEnabled(bool enabled);
    const std::string& caption() const { return caption_; }
    void setCaption(std::string_view text);
    const ButtonFont& font() const { return font_; }
    void setFont(ButtonFont font);
    uint32_t getFontColour();
    void setFontColour(uint32_t colour);
    bool getVisible();  // the back style: 1 opaque, 0 transparent
    void setVisible(bool visible);
    int32_t backStyle() const { return backStyle_; }

    // "Enabled", "Caption", "Font" (face name), "FirstRun", "FontColour",
    // "Visible", in that order both ways; each ends with RefreshCaption.
    void readProperties(const PropertyBag& bag);
    void writeProperties(PropertyBag& bag);

    // --- painting ----------------------------------------------------------
    ButtonLook look() const { return look_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    // The face as it stands (look, InvertGradient, size), into `surface`.
    void paint(PixelImage& surface, const Skin& skin) const;
    CaptionLayout captionLayout(int32_t labelHeightPx) const;

    const CommandState& state() const { return s_; }

    std::function<void()> onClick;
    // A property's value changed (the container marks the form as changed).
    std::function<void(std::string_view name)> onPropertyChanged;

private:
    void paintFace(ButtonLook look);
    void refreshEnabled();
    void refreshCaption();
    void checkMouseLeave();
    void click();
    void changed(std::string_view name);

    ControlHost& host_;
    CommandState s_;
    ButtonLook look_ = ButtonLook::None;
    int32_t width_ = 0, height_ = 0;
    std::string caption_{kDesignCaption};
    ButtonFont font_, ambientFont_;
    uint32_t fontColour_ = 0;
    int32_t backStyle_ = 1;
    bool labelEnabled_ = true;
    bool spaceIsDown_ = false;
};

// Paints a button as a window would show it, without one: a button of the
// given size, loaded from `properties` and initialized, then `events` in
// order; `caption` (if given) receives the caption's layout for a label
// `labelHeightPx` high. For the gallery's pictures and for comparing them
// with the window's.
PixelImage renderCommand(const PropertyBag& properties, int32_t widthPx, int32_t heightPx,
                         std::span<const ControlEvent> events, const Skin& skin, CaptionLayout* caption = nullptr,
                         int32_t labelHeightPx = 12);

}  // namespace lumora
