// Covers of the other monitors; see monitor_covers.h.
#include "renderer/app/monitor_covers.h"

#include <algorithm>

namespace lumora {

namespace {
bool overlaps(const ScreenRect& a, const ScreenRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
}  // namespace

std::vector<ScreenRect> coverRects(MonitorLayout& layout, const ScreenRect& show) {
    std::vector<ScreenRect> covers;
    for (const ScreenRect& m : layout.monitors()) {
        if (m.right <= m.left || m.bottom <= m.top) continue;
        if (overlaps(m, show)) continue;
        if (std::find(covers.begin(), covers.end(), m) != covers.end()) continue;
        covers.push_back(m);
    }
    return covers;
}

SaverAction coverLayer(SaverState& show, SaverMessage message, uint64_t wParam) {
    SaverAction a;
    switch (message) {
    case SaverMessage::SetCursor:
        a.hideCursor = true;
        a.reply = SaverAction::Reply::Return;
        a.result = 1;
        return a;
    case SaverMessage::SysCommand:
        if (wParam == kSysCommandNextWindow || wParam == kSysCommandPrevWindow || wParam == kSysCommandScreenSave) {
            a.reply = SaverAction::Reply::Return;
        }
        return a;
    case SaverMessage::Close:
        // Only the show takes its covers away.
        a.reply = SaverAction::Reply::Return;
        return a;
    case SaverMessage::SysKeyDown:
    case SaverMessage::LeftButtonDown:
    case SaverMessage::RightButtonDown:
    case SaverMessage::MiddleButtonDown:
        // The password dialog may be open on the show: it owns the close.
        if (show.passwordDialogActive) return a;
        show.userCloseRequested = true;
        a.postClose = true;
        a.reply = SaverAction::Reply::Return;
        return a;
    default:
        return a;
    }
}

}  // namespace lumora
