// What the front end asks of the system for alarms that go off: the local
// clock as the alarm core reads it and its conversion to universal time, a
// waitable timer that wakes the machine for the next alarm, the shell's
// notification state (full-screen work), and the per-user Run value that
// starts the program at logon with the system's StartupApproved choice.
// The rules are the core's (alarm_schedule.h, startup_entry.h); this file
// only reads and writes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/win32/handles.h"
#include "frontend/resident/alarm_schedule.h"

namespace lumora::win32 {

LocalTime localNow();
// Through the system's time-zone rules, daylight saving included.
std::optional<int64_t> localToUtcMinutes(const LocalTime& local);

// One waitable timer with resume: it only wakes the machine (the alarm check
// does the rest). Each change is logged ("Lumora: wake timer ...").
class WakeTimer {
public:
    // Due at `utcMinutes` (minutes since 1970 UTC); nothing cancels it.
    void set(std::optional<int64_t> utcMinutes);
    ~WakeTimer() { set(std::nullopt); }

private:
    UniqueHandle timer_;
    bool armed_ = false;
};

UserNotificationState userNotificationState();

// The Run value "Lumora" and the system's StartupApproved bytes for it.
std::optional<std::string> readRunValue();
std::optional<std::vector<uint8_t>> readStartupApproved();
bool writeRunValue(const std::string& text);
bool deleteRunValue();

}  // namespace lumora::win32
