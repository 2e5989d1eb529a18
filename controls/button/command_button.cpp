// The Command button's rules. Each handler does nothing while the button is
// disabled; the order of the checks inside a handler is the control's own and
// matters (a mouse move can take state 1 to 2 and never 3 to 4 in one go, a
// release repaints before it decides on Click).
#include "controls/button/command_button.h"

#include <algorithm>
#include <cmath>

namespace lumora {

Command::Command(ControlHost& host, ButtonFont ambientFont)
    : host_(host), font_(ambientFont), ambientFont_(std::move(ambientFont)) {}

void Command::Initialize() {
    s_.ButtonState = 1;
    host_.setTimer(kTmrMouse, kTmrMouseMs);
}

// PaintFace: the gradient's direction follows the state (kept in state 4
// and before Initialize), then the whole face is painted in `look`.
void Command::paintFace(ButtonLook look) {
    if (s_.ButtonState == 1 || s_.ButtonState == 3)
        s_.InvertGradient = false;
    else if (s_.ButtonState == 2)
        s_.InvertGradient = true;
    look_ = look;
    host_.invalidate();
}

void Command::onMouseMove(int, int32_t, int32_t) {
    if (!s_.Enabled) return;
    if (s_.ButtonState == 1) {
        s_.ButtonState = 2;
        paintFace(ButtonLook::HighLight);
    }
    if (s_.ButtonState == 3 && !s_.MouseIsDown) {
        s_.ButtonState = 4;
        paintFace(ButtonLook::HighLightSelect);
    }
}

void Command::onMouseDown(int button, int32_t, int32_t) {
    if (!s_.Enabled || button != kLeftButton) return;
    s_.MouseIsDown = true;
    paintFace(ButtonLook::Pressed);
}

void Command::onMouseUp(int button, int32_t, int32_t) {
    if (!s_.Enabled) return;
    if (button == kLeftButton) {
        s_.MouseIsDown = false;
        if (s_.ButtonState == 2)
            paintFace(ButtonLook::Normal);
        else if (s_.ButtonState == 4)
            paintFace(ButtonLook::HighLightSelect);
    }
    // Any button's release clicks, unless the mouse was found gone while
    // the button had the focus (state 3).
    if (s_.ButtonState != 3) click();
}

void Command::onFocusGained() {
    if (!s_.Enabled) return;
    if (s_.ButtonState != 2) {
        s_.ButtonState = 3;
        paintFace(ButtonLook::Selected);
    } else {
        s_.ButtonState = 4;
        paintFace(ButtonLook::Pressed);
    }
}

void Command::onFocusLost() {
    spaceIsDown_ = false;  // a held Space ends with the focus, enabled or not
    if (!s_.Enabled) return;
    if (s_.ButtonState != 1) {
        s_.ButtonState = 1;
        paintFace(ButtonLook::Normal);
    }
}

void Command::onTimer(int id, bool cursorOverMe) {
    if (id != kTmrMouse || !s_.Enabled) return;
    if (!cursorOverMe) checkMouseLeave();
}

void Command::checkMouseLeave() {
    if (s_.ButtonState == 2) {
        s_.ButtonState = 1;
        paintFace(ButtonLook::Normal);
    }
    if (s_.ButtonState == 4) {
        s_.ButtonState = 3;
        paintFace(ButtonLook::Selected);
    }
}

// The keyboard, as users of push buttons expect: Space shows the pressed
// face while held (key repeats change nothing) and clicks on its release;
// Return clicks at once. Keyboard clicks do not depend on ButtonState:
// the focused button is usually in state 3.
void Command::onKeyDown(int key) {
    if (!s_.Enabled) return;
    if (key == kKeySpace && !spaceIsDown_) {
        spaceIsDown_ = true;
        paintFace(ButtonLook::Pressed);
    } else if (key == kKeyReturn) {
        click();
    }
}

void Command::onKeyUp(int key) {
    if (key != kKeySpace || !spaceIsDown_) return;
    spaceIsDown_ = false;  // released while disabled: forgotten, no Click
    if (!s_.Enabled) return;
    switch (s_.ButtonState) {
    case 2: paintFace(ButtonLook::HighLight); break;
    case 3: paintFace(ButtonLook::Selected); break;
    case 4: paintFace(ButtonLook::HighLightSelect); break;
    default: paintFace(ButtonLook::Normal); break;
    }
    click();
}

void Command::onResize(int32_t widthPx, int32_t heightPx) {
    width_ = std::max(widthPx, 0);
    height_ = std::max(heightPx, 0);
    refreshEnabled();
}

void Command::refreshEnabled() {
    labelEnabled_ = s_.Enabled;
    paintFace(s_.Enabled ? ButtonLook::Normal : ButtonLook::Disable);
}

void Command::refreshCaption() {
    if (!s_.Enabled) return;
    labelEnabled_ = true;
    if (s_.FirstRun == 0) fontColour_ = 0;
    paintFace(ButtonLook::Normal);
}

void Command::click() {
    if (s_.Enabled && onClick) onClick();
}

void Command::changed(std::string_view name) {
    if (onPropertyChanged) onPropertyChanged(name);
}

// --- properties ---------------------------------------------------------------

bool Command::getEnabled() {
    if (s_.FirstRun == 0) {
        refreshCaption();
        s_.FirstRun = 1;
        s_.Enabled = true;
    }
    const bool enabled = s_.Enabled;
    refreshEnabled();
    return enabled;
}

void Command::setEnabled(bool enabled) {
    s_.Enabled = enabled;
    changed("Enabled");
    refreshEnabled();
}

void Command::setCaption(std::string_view text) {
    caption_ = text;
    changed("Caption");
    host_.invalidate();
}

void Command::setFont(ButtonFont font) {
    font_ = std::move(font);
    changed("Font");
    host_.invalidate();
}

uint32_t Command::getFontColour() {
    const uint32_t colour = fontColour_;
    refreshCaption();
    return colour;
}

void Command::setFontColour(uint32_t colour) {
    fontColour_ = colour;
    refreshCaption();
    changed("FontColour");
    host_.invalidate();
}

bool Command::getVisible() {
    if (backStyle_ == 0) return false;
    refreshCaption();
    return true;
}

void Command::setVisible(bool visible) {
    backStyle_ = visible ? 1 : 0;
    if (visible) refreshCaption();
    changed("Visible");
    host_.invalidate();
}

void Command::readProperties(const PropertyBag& bag) {
    s_.Enabled = bag.readBool("Enabled", true);
    caption_ = bag.readString("Caption", kDefaultCaption);
    font_.name = bag.readString("Font", ambientFont_.name);
    // A stored value that does not fit the field is skipped, as the failed
    // assignment was.
    const int32_t firstRun = bag.readInt("FirstRun", 1);
    if (firstRun >= 0 && firstRun <= 255) s_.FirstRun = uint8_t(firstRun);
    fontColour_ = uint32_t(bag.readInt("FontColour", 0));
    const int32_t backStyle = bag.readInt("Visible", 1);
    if (backStyle == 0 || backStyle == 1) backStyle_ = backStyle;
    refreshCaption();
    host_.invalidate();
}

void Command::writeProperties(PropertyBag& bag) {
    bag.writeBool("Enabled", s_.Enabled, true);
    bag.writeString("Caption", caption_, kDefaultCaption);
    bag.writeInt("FirstRun", s_.FirstRun, 1);
    bag.writeString("Font", font_.name, ambientFont_.name);
    bag.writeInt("FontColour", int32_t(fontColour_), 0);
    bag.writeInt("Visible", backStyle_, 1);
    refreshCaption();
}

// --- painting -----------------------------------------------------------------

void Command::paint(PixelImage& surface, const Skin& skin) const {
    paintCommandFace(surface, width_, height_, look_, s_.InvertGradient, skin);
}

CaptionLayout Command::captionLayout(int32_t labelHeightPx) const {
    CaptionLayout c;
    c.text = caption_;
    c.font = font_;
    c.colour = fontColour_;
    c.enabled = labelEnabled_;
    c.left = 0;
    c.width = width_;
    c.topTwips = (double(height_) * kTwipsPerPixel - double(labelHeightPx) * kTwipsPerPixel - 20) / 2;
    c.top = int32_t(std::nearbyint(c.topTwips / kTwipsPerPixel));
    return c;
}

PixelImage renderCommand(const PropertyBag& properties, int32_t widthPx, int32_t heightPx,
                         std::span<const ControlEvent> events, const Skin& skin, CaptionLayout* caption,
                         int32_t labelHeightPx) {
    HeadlessControlHost host;
    Command button(host);
    button.readProperties(properties);
    button.onResize(widthPx, heightPx);
    button.Initialize();
    for (const ControlEvent& e : events) deliver(button, e);
    PixelImage surface;
    button.paint(surface, skin);
    if (caption) *caption = button.captionLayout(labelHeightPx);
    return surface;
}

}  // namespace lumora
