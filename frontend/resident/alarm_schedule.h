// What the alarm does beyond the minute test, for a machine that sleeps and
// a clock that jumps:
//  - One show per slot per date: the minute tick, a wake from sleep and a
//    clock change can all see the same alarm within one minute, and a clock
//    set back over an alarm that already went off must not repeat it. Each
//    slot remembers, in memory only, the date and time at which it last went
//    off.
//  - Catching up: when the machine resumes or the clock jumps forward, a
//    switched-on slot whose time fell in the gap, no more than 10 minutes
//    ago, starts a show then. Later than that starts nothing: no fireworks
//    at noon for a 7:00 alarm.
//  - The next wake: the first moment after now at which any switched-on slot
//    comes round, in local time turned into a universal instant by the zone
//    rule the platform passes in (daylight-saving changes included), for a
//    timer that wakes the machine.
//  - Minding full-screen work: an alarm starts no show over a full-screen
//    program, a full-screen Direct3D game or a presentation.
// The clock and the zone are passed in; nothing here reads them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "common/settings/settings.h"
#include "frontend/resident/alarm.h"

namespace lumora {

// A local date and time to the minute.
struct LocalTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0;
    bool operator==(const LocalTime&) const = default;
};
// Minutes since 1970-01-01 00:00 of the same clock (no zone involved), and back.
int64_t minutesSinceEpoch(const LocalTime& t);
LocalTime localTimeAt(int64_t minutes);

// A local time as minutes since 1970-01-01 00:00 UTC; nothing for a local
// time the clock skips (the hour lost when daylight-saving time starts).
using ZoneRule = std::function<std::optional<int64_t>(const LocalTime& local)>;

class AlarmSchedule {
public:
    static constexpr int64_t kCatchUpMinutes = 10;

    // The first tick of tmrChangeTime in an alarm minute (AlarmCheck said
    // so): true when some matching slot has not gone off at this date and
    // time yet. Every matching slot is then remembered as gone off.
    bool alarmMinute(const LocalTime& now, const Settings& live);

    // A resume or a clock change, with the settings dialog closed
    // (`trayActive`): true when a slot's time lies after the last moment the
    // program watched the clock and no more than 10 minutes before `now`,
    // and it has not gone off at that date and time. Several such slots
    // start one show; each is remembered. Then `now` is the last moment seen.
    bool catchUp(bool trayActive, const LocalTime& now, const Settings& live);

    // The program watched the clock at `now` (any of its ticks, the end of
    // the settings dialog, the moment before the machine sleeps): an alarm
    // before this can no longer be caught up.
    void watched(const LocalTime& now) { lastWatched_ = minutesSinceEpoch(now); }

private:
    // Whether slot i's alarm at `at` is new, and remembers it.
    bool goOff(int slot, int64_t at);

    std::optional<int64_t> lastWatched_;
    std::array<std::optional<int64_t>, 3> lastWent_{};  // local minutes of each slot's last alarm
};

// The next universal instant (minutes since 1970 UTC) after `now`, local, at
// which a switched-on slot with a valid time comes round; nothing when no
// slot is on. A slot's time that the clock skips on some day is passed over
// that day.
std::optional<int64_t> nextAlarmInstant(const LocalTime& now, const Settings& live, const ZoneRule& zone);

// The shell's answer to "may a program notify the user now?", as the
// system numbers it.
enum class UserNotificationState : int32_t {
    NotPresent = 1,        // a locked PC, a screen saver running, fast user switching
    Busy = 2,              // a full-screen program
    RunningD3dFullScreen = 3,
    PresentationMode = 4,
    AcceptsNotifications = 5,
    QuietTime = 6,
    App = 7,               // a Windows Store app in front
};
// Whether an alarm may start its show: not over full-screen work.
bool alarmShowAllowed(UserNotificationState state);

inline constexpr char kAlarmDeclinedText[] = "全画面表示中のため、アラームの花火を見送りました";

}  // namespace lumora
