// What the two skinned controls (the Command button and the XP scroll bar)
// ask of the window that hosts them, and the small event record a window
// layer, a test or a tool feeds them with.
//
// The window layer turns its messages into calls of the control's on*()
// methods (or ControlEvents through deliver()), and carries out what the
// control asks through ControlHost: start or stop one of its timers, repaint,
// take the size the control insists on, show the one message box. Timer ids
// are per control (the button has one, the scroll bar two); a window gives
// each of its control's timers its own id. Nothing here names a platform.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumora {

// Mouse buttons: a press or release names one; a move carries the set held.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

class ControlHost {
public:
    virtual ~ControlHost() = default;
    // Starts timer `id` to tick every `milliseconds` (restarting it when it
    // runs); every tick comes back as onTimer(id, cursorOverThisWindow).
    virtual void setTimer(int id, uint32_t milliseconds) = 0;
    virtual void killTimer(int id) = 0;
    // The control's picture changed: repaint the whole window from it.
    virtual void invalidate() = 0;
    // The control wants this client size in pixels (the scroll bar's size
    // rule); a window that resizes may call onResize back with it.
    virtual void resizeControl(int32_t /*widthPx*/, int32_t /*heightPx*/) {}
    // A modal message box with the program's title, a critical-stop icon and
    // an OK button (the scroll bar's "Invalid property value").
    virtual void messageBox(std::string_view /*textUtf8*/) {}
};

struct ControlEvent {
    enum class Kind : uint8_t { MouseMove, MouseDown, MouseUp, FocusGained, FocusLost, KeyDown, KeyUp, Timer, Resize };
    Kind kind = Kind::MouseMove;
    int button = 0;         // MouseDown/MouseUp: the button; MouseMove: the buttons held
    int32_t x = 0, y = 0;   // mouse position in pixels; Resize: the new width and height
    int key = 0;            // KeyDown/KeyUp: the virtual-key code
    int timerId = 0;        // Timer: which one
    bool cursorOver = false;  // Timer: whether the cursor is over the control's own window

    static ControlEvent move(int held, int32_t x, int32_t y) { return {Kind::MouseMove, held, x, y}; }
    static ControlEvent down(int button, int32_t x, int32_t y) { return {Kind::MouseDown, button, x, y}; }
    static ControlEvent up(int button, int32_t x, int32_t y) { return {Kind::MouseUp, button, x, y}; }
    static ControlEvent focus(bool gained) { return {gained ? Kind::FocusGained : Kind::FocusLost}; }
    static ControlEvent keyDown(int key) { return {Kind::KeyDown, 0, 0, 0, key}; }
    static ControlEvent keyUp(int key) { return {Kind::KeyUp, 0, 0, 0, key}; }
    static ControlEvent timer(int id, bool cursorOver) { return {Kind::Timer, 0, 0, 0, 0, id, cursorOver}; }
    static ControlEvent resize(int32_t w, int32_t h) { return {Kind::Resize, 0, w, h}; }
};

// Hands one event to a control's handler of that kind.
template <class Control>
void deliver(Control& control, const ControlEvent& e) {
    switch (e.kind) {
    case ControlEvent::Kind::MouseMove: control.onMouseMove(e.button, e.x, e.y); break;
    case ControlEvent::Kind::MouseDown: control.onMouseDown(e.button, e.x, e.y); break;
    case ControlEvent::Kind::MouseUp: control.onMouseUp(e.button, e.x, e.y); break;
    case ControlEvent::Kind::FocusGained: control.onFocusGained(); break;
    case ControlEvent::Kind::FocusLost: control.onFocusLost(); break;
    case ControlEvent::Kind::KeyDown: control.onKeyDown(e.key); break;
    case ControlEvent::Kind::KeyUp: control.onKeyUp(e.key); break;
    case ControlEvent::Kind::Timer: control.onTimer(e.timerId, e.cursorOver); break;
    case ControlEvent::Kind::Resize: control.onResize(e.x, e.y); break;
    }
}

// A host with no window: it remembers the timers that run and counts the
// rest. Tests and native tools drive controls through it.
class HeadlessControlHost : public ControlHost {
public:
    static constexpr int kMaxTimers = 4;
    uint32_t timerMs[kMaxTimers] = {};  // 0: not running
    int invalidations = 0;
    int32_t requestedWidth = -1, requestedHeight = -1;
    int messages = 0;
    std::string lastMessage;

    void setTimer(int id, uint32_t ms) override {
        if (id >= 0 && id < kMaxTimers) timerMs[id] = ms;
    }
    void killTimer(int id) override {
        if (id >= 0 && id < kMaxTimers) timerMs[id] = 0;
    }
    bool running(int id) const { return id >= 0 && id < kMaxTimers && timerMs[id] != 0; }
    void invalidate() override { ++invalidations; }
    void resizeControl(int32_t w, int32_t h) override {
        requestedWidth = w;
        requestedHeight = h;
    }
    void messageBox(std::string_view text) override {
        ++messages;
        lastMessage = text;
    }
};

}  // namespace lumora
