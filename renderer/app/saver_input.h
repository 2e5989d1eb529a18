// The rules by which the renderer's window ends the show: which messages
// are swallowed, which ask for the show to end, and what the window must do
// for each. The window procedure is three layers, each handling what it
// consumes and passing the rest on:
//   saverLayer (layer 1)    creation, destruction, system commands
//   rendererLayer (layer 2) the show's own set-up and tear-down; mouse
//                           motion and ordinary keys are consumed
//   defaultLayer (layer 3)  close, activation, cursor, buttons, system keys
// This module knows message kinds, not message numbers: the platform layer
// translates its messages into SaverMessage, calls the layers in order and
// carries out the SaverAction each answers. It owns no window and no clock.
#pragma once

#include <cstdint>

namespace lumora {

enum class SaverMessage : uint8_t {
    Create,
    Destroy,
    SysCommand,   // wParam: the command, compared exactly
    MouseMove,
    KeyDown,
    Close,
    ShowWindow,   // wParam: nonzero when shown
    ActivateApp,  // wParam: zero when the application loses activation
    SetCursor,
    SysKeyDown,
    LeftButtonDown,
    RightButtonDown,
    MiddleButtonDown,
    Other,  // button releases, double clicks, characters, ...
};

// The system commands the window swallows. They are compared with the whole
// wParam: the low four bits, which the system may use, are not masked, so
// SC_SCREENSAVE | 1 is not swallowed.
inline constexpr uint64_t kSysCommandNextWindow = 0xF040;
inline constexpr uint64_t kSysCommandPrevWindow = 0xF050;
inline constexpr uint64_t kSysCommandScreenSave = 0xF140;

struct SaverState {
    // Set by the input that ends the show; a close that arrives while it is
    // clear was asked for by no user and is ignored.
    bool userCloseRequested = false;
    // Set by the platform only while the system password dialog is open:
    // frames pause and every message but a close goes to the default handler.
    bool passwordDialogActive = false;
    // From the end of the window's creation to its destruction.
    bool rendering = false;
};

struct SaverAction {
    // Work for the platform, done in this order.
    bool saveCursorPos = false;   // take the cursor position again
    bool hideCursor = false;      // set a null cursor
    bool postQuit = false;        // end the message loop after this message
    bool startShow = false;       // defaults and the "Lumora_VC" title, settings, GL, lowest thread priority
    bool stopShow = false;        // free the show and the GL device
    bool postClose = false;       // post a close message to the window itself
    bool verifyPassword = false;  // run the password check, then tell afterPasswordCheck

    // PassOn: the next layer (after layer 3, the system's default handler)
    // handles the message. Return: the window procedure returns `result`.
    enum class Reply : uint8_t { PassOn, Return };
    Reply reply = Reply::PassOn;
    intptr_t result = 0;
};

SaverAction saverLayer(SaverState& state, SaverMessage message, uint64_t wParam);
SaverAction rendererLayer(SaverState& state, SaverMessage message, uint64_t wParam);
SaverAction defaultLayer(SaverState& state, SaverMessage message, uint64_t wParam);

// The second half of a close that asked for the password (verifyPassword):
// accepted lets the close through to the default handler, which destroys the
// window; refused keeps the show going and takes the cursor position again.
SaverAction afterPasswordCheck(SaverState& state, bool accepted);

}  // namespace lumora
