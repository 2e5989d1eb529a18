// The screen-saver window's input rules; see saver_input.h.
#include "renderer/app/saver_input.h"

namespace lumora {

namespace {

SaverAction returning(intptr_t value) {
    SaverAction a;
    a.reply = SaverAction::Reply::Return;
    a.result = value;
    return a;
}

// The user asked for the end: remember it, post the close that will be
// honoured, and still let the default handler see the triggering message.
SaverAction closeRequest(SaverState& state) {
    state.userCloseRequested = true;
    SaverAction a;
    a.postClose = true;
    return a;
}

}  // namespace

SaverAction saverLayer(SaverState&, SaverMessage message, uint64_t wParam) {
    SaverAction a;
    switch (message) {
    case SaverMessage::Create:
        a.saveCursorPos = true;
        a.hideCursor = true;
        break;
    case SaverMessage::Destroy:
        a.postQuit = true;
        break;
    case SaverMessage::SysCommand:
        // Task switching and the system's own screen saver must not start
        // while the show runs.
        if (wParam == kSysCommandNextWindow || wParam == kSysCommandPrevWindow || wParam == kSysCommandScreenSave)
            return returning(0);
        break;
    default:
        break;
    }
    return a;
}

SaverAction rendererLayer(SaverState& state, SaverMessage message, uint64_t) {
    SaverAction a;
    switch (message) {
    case SaverMessage::Create:
        // The platform carries the set-up out inside this same message, so
        // no frame can see `rendering` before the GL device exists.
        a.startShow = true;
        state.rendering = true;
        break;
    case SaverMessage::Destroy:
        state.rendering = false;
        a.stopShow = true;
        break;
    case SaverMessage::MouseMove:
    case SaverMessage::KeyDown:
        // Moving the mouse and ordinary keys never end the show.
        return returning(0);
    default:
        break;
    }
    return a;
}

SaverAction defaultLayer(SaverState& state, SaverMessage message, uint64_t wParam) {
    if (message == SaverMessage::Close) {
        if (!state.userCloseRequested) return returning(0);
        SaverAction a;
        a.verifyPassword = true;
        return a;
    }
    // The password dialog runs inside the close handling; what reaches the
    // window meanwhile must not start a second close.
    if (state.passwordDialogActive) return SaverAction{};
    switch (message) {
    case SaverMessage::ShowWindow: {
        SaverAction a;
        a.hideCursor = wParam != 0;
        return a;
    }
    case SaverMessage::ActivateApp:
        if (wParam == 0) return closeRequest(state);
        return SaverAction{};
    case SaverMessage::SetCursor: {
        SaverAction a = returning(1);
        a.hideCursor = true;
        return a;
    }
    case SaverMessage::SysKeyDown:
    case SaverMessage::LeftButtonDown:
    case SaverMessage::RightButtonDown:
    case SaverMessage::MiddleButtonDown:
        return closeRequest(state);
    default:
        return SaverAction{};
    }
}

SaverAction afterPasswordCheck(SaverState&, bool accepted) {
    if (accepted) return SaverAction{};
    // The show goes on; userCloseRequested stays set.
    SaverAction a = returning(0);
    a.saveCursorPos = true;
    return a;
}

}  // namespace lumora
