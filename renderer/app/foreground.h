// Taking the foreground for the show's window. A show an alarm starts comes
// from a background program, and the system refuses SetForegroundWindow to
// such a process while the user has recently used the keyboard or mouse:
// the show would cover the screen while its keys (Alt, F10, anything typed)
// went to the program underneath. When refused, the window tries once more
// with its thread's input attached to the foreground window's thread, which
// the system accepts, and detaches again whatever happened. Either outcome
// is logged; a show that still could not come forward runs all the same,
// and a click on it ends it as always.
#pragma once

#include <string>

namespace lumora {

// The calls this needs, implemented over the window system by the platform.
class ForegroundPlatform {
public:
    virtual ~ForegroundPlatform() = default;
    // SetForegroundWindow on the show's window; true when granted.
    virtual bool setForeground() = 0;
    // Attaches this thread's input to the foreground window's thread; false
    // when there is nothing to attach to (no foreground window, or it is ours).
    virtual bool attachToForegroundThread() = 0;
    virtual void detachFromForegroundThread() = 0;
    // BringWindowToTop on the show's window.
    virtual void bringToTop() = 0;
    virtual void log(const std::string& line) = 0;
};

enum class ForegroundOutcome { Granted, GrantedAttached, Refused };

ForegroundOutcome takeForeground(ForegroundPlatform& platform);

}  // namespace lumora
