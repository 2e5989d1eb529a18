// Taking the foreground; see foreground.h.
#include "renderer/app/foreground.h"

namespace lumora {

ForegroundOutcome takeForeground(ForegroundPlatform& platform) {
    if (platform.setForeground()) return ForegroundOutcome::Granted;
    const bool attached = platform.attachToForegroundThread();
    const bool granted = platform.setForeground();
    platform.bringToTop();
    if (attached) platform.detachFromForegroundThread();
    platform.log(granted ? "the foreground was refused, then granted with the input attached"
                         : "the foreground was refused twice; the show runs behind the active window's input");
    return granted ? ForegroundOutcome::GrantedAttached : ForegroundOutcome::Refused;
}

}  // namespace lumora
