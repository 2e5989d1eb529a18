// Keeping the tray icon there; see tray_icon_keeper.h.
#include "frontend/resident/tray_icon_keeper.h"

namespace lumora {

bool TrayIconKeeper::tryAdd(const char* when) {
    shown_ = shell_.addIcon();
    if (!shown_) shell_.log(std::string("the tray icon could not be added (") + when + ")");
    return shown_;
}

void TrayIconKeeper::add(uint32_t nowMs) {
    if (tryAdd("at start or a new taskbar")) {
        retrying_ = false;
        return;
    }
    retrying_ = true;
    firstFailureMs_ = nowMs;
}

void TrayIconKeeper::retryTick(uint32_t nowMs) {
    if (!retrying_) return;
    if (tryAdd("retry")) {
        retrying_ = false;
    } else if (nowMs - firstFailureMs_ >= kRetryForMs) {
        // Two minutes of a shell that will not take it; the next taskbar
        // announcement tries again.
        retrying_ = false;
        shell_.log("the tray icon is given up on until the taskbar is created again");
    }
}

}  // namespace lumora
