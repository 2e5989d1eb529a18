// Keeping the notification-area icon there. At a start at logon the shell
// may not be ready yet, and an icon that could not be added would leave the
// program running with no icon, no menu and no way to reach it. So a failed
// add is retried every 2 seconds for two minutes, and again whenever the
// shell announces that its taskbar was (re)created; each failure is logged.
// The clock is passed in; the platform runs the timer the keeper asks for.
#pragma once

#include <cstdint>
#include <string>

namespace lumora {

class TrayShell {
public:
    virtual ~TrayShell() = default;
    // Adds the icon (or finds it already there); false when the shell refused.
    virtual bool addIcon() = 0;
    virtual void log(const std::string& line) = 0;
};

class TrayIconKeeper {
public:
    static constexpr uint32_t kRetryIntervalMs = 2000;
    static constexpr uint32_t kRetryForMs = 120000;

    explicit TrayIconKeeper(TrayShell& shell) : shell_(shell) {}

    // At load, and when the shell's taskbar is created again: add the icon,
    // and on failure retry for the next two minutes.
    void add(uint32_t nowMs);
    // The retry timer's tick.
    void retryTick(uint32_t nowMs);

    // Whether the platform should run the retry timer (kRetryIntervalMs).
    bool retrying() const { return retrying_; }
    bool shown() const { return shown_; }

private:
    bool tryAdd(const char* when);

    TrayShell& shell_;
    bool shown_ = false;
    bool retrying_ = false;
    uint32_t firstFailureMs_ = 0;
};

}  // namespace lumora
