// Alarms across sleep and clock changes; see alarm_schedule.h.
#include "frontend/resident/alarm_schedule.h"

namespace lumora {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back (the usual
// era-based conversion; exact for every date an int holds here).
int64_t daysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2));
}

int64_t floorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// A slot that is exactly on and names a real time of day.
bool slotOn(const Settings& live, int slot) {
    const std::size_t i = std::size_t(slot);
    return live.AlarmEnabled[i] == 1 && live.AlarmHour[i] >= 0 && live.AlarmHour[i] <= 23 &&
           live.AlarmMinute[i] >= 0 && live.AlarmMinute[i] <= 59;
}

int64_t slotOnDay(const Settings& live, int slot, int64_t day) {
    const std::size_t i = std::size_t(slot);
    return day * 1440 + live.AlarmHour[i] * 60 + live.AlarmMinute[i];
}

}  // namespace

int64_t minutesSinceEpoch(const LocalTime& t) {
    return daysFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute;
}

LocalTime localTimeAt(int64_t minutes) {
    const int64_t day = floorDiv(minutes, 1440), inDay = minutes - day * 1440;
    LocalTime t;
    civilFromDays(day, t.year, t.month, t.day);
    t.hour = int(inDay / 60);
    t.minute = int(inDay % 60);
    return t;
}

bool AlarmSchedule::goOff(int slot, int64_t at) {
    std::optional<int64_t>& last = lastWent_[std::size_t(slot)];
    if (last && *last == at) return false;
    last = at;
    return true;
}

bool AlarmSchedule::alarmMinute(const LocalTime& now, const Settings& live) {
    const int64_t at = minutesSinceEpoch(now);
    lastWatched_ = at;
    bool start = false;
    for (int slot = 0; slot < 3; ++slot)
        if (alarmSlotMatches(live, slot, now.hour, now.minute) && goOff(slot, at)) start = true;
    return start;
}

bool AlarmSchedule::catchUp(bool trayActive, const LocalTime& now, const Settings& live) {
    const int64_t at = minutesSinceEpoch(now);
    const std::optional<int64_t> since = lastWatched_;
    lastWatched_ = at;
    // With the dialog open an alarm is missed, as its minute test misses it.
    if (!trayActive || !since || at <= *since) return false;
    bool start = false;
    const int64_t today = floorDiv(at, 1440);
    for (int slot = 0; slot < 3; ++slot) {
        if (!slotOn(live, slot)) continue;
        // The gap is at most ten minutes deep where it matters: today's or
        // yesterday's time (a gap across midnight).
        for (const int64_t day : {today - 1, today}) {
            const int64_t alarm = slotOnDay(live, slot, day);
            if (alarm > *since && alarm <= at && at - alarm <= kCatchUpMinutes && goOff(slot, alarm)) start = true;
        }
    }
    return start;
}

std::optional<int64_t> nextAlarmInstant(const LocalTime& now, const Settings& live, const ZoneRule& zone) {
    const int64_t at = minutesSinceEpoch(now);
    const int64_t today = floorDiv(at, 1440);
    std::optional<int64_t> best;
    for (int slot = 0; slot < 3; ++slot) {
        if (!slotOn(live, slot)) continue;
        // Today's time if it is still to come, else the next day's on which
        // the clock shows it (a skipped hour moves it a day on).
        for (int64_t day = today; day <= today + 3; ++day) {
            const int64_t local = slotOnDay(live, slot, day);
            if (local <= at) continue;
            const std::optional<int64_t> instant = zone(localTimeAt(local));
            if (!instant) continue;
            if (!best || *instant < *best) best = instant;
            break;
        }
    }
    return best;
}

bool alarmShowAllowed(UserNotificationState state) {
    switch (state) {
    case UserNotificationState::Busy:
    case UserNotificationState::RunningD3dFullScreen:
    case UserNotificationState::PresentationMode: return false;
    default: return true;  // a locked PC too: the show plays to the lock screen's display as before
    }
}

}  // namespace lumora
