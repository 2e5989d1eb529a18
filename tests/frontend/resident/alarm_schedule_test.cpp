// Alarms across sleep and clock changes: the catch-up after a resume or a
// forward jump, one show per slot per date, the next wake across midnight
// and daylight-saving changes, and the full-screen rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/resident/alarm_schedule.h"

using namespace lumora;

namespace {

LocalTime at(int day, int hour, int minute, int month = 12, int year = 2026) {
    return {year, month, day, hour, minute};
}

Settings slots(std::array<int32_t, 3> enabled, std::array<int32_t, 3> hour, std::array<int32_t, 3> minute) {
    Settings s;
    s.AlarmEnabled = enabled;
    s.AlarmHour = hour;
    s.AlarmMinute = minute;
    return s;
}

// Central European time in 2026: UTC+1, UTC+2 from 29 March 02:00 (the
// clock skips to 03:00) until 25 October 03:00 (back to 02:00).
std::optional<int64_t> centralEurope(const LocalTime& local) {
    const int64_t m = minutesSinceEpoch(local);
    const int64_t springGap = minutesSinceEpoch({2026, 3, 29, 2, 0}), springEnd = springGap + 60;
    const int64_t autumn = minutesSinceEpoch({2026, 10, 25, 3, 0});
    if (m >= springGap && m < springEnd) return std::nullopt;
    return m - (m >= springEnd && m < autumn ? 120 : 60);
}

}  // namespace

TEST(AlarmSchedule, CatchesUpAfterSleepOnceAndNeverTwiceADate) {
    // Slot 0 at 07:00, slot 1 at 07:05, slot 2 at 23:58.
    const Settings live = slots({1, 1, 1}, {7, 7, 23}, {0, 5, 58});
    enum Kind { Watch, Minute, Resume, ResumeDialogOpen };
    struct Step { Kind kind; LocalTime now; bool show; };
    struct Story { const char* what; std::vector<Step> steps; };
    const Story stories[] = {
        {"asleep across the alarm, awake 3 minutes late", {{Watch, at(8, 6, 50), false}, {Resume, at(8, 7, 3), true}}},
        {"awake 12 and 17 minutes late: nothing", {{Watch, at(8, 6, 50), false}, {Resume, at(8, 7, 17), false}}},
        {"two slots in one gap start one show",
         {{Watch, at(8, 6, 50), false}, {Resume, at(8, 7, 6), true}, {Resume, at(8, 7, 7), false}}},
        {"awake in the alarm minute: one show, whichever comes first",
         {{Watch, at(8, 6, 50), false}, {Resume, at(8, 7, 0), true}, {Minute, at(8, 7, 0), false}}},
        {"the minute tick first, then the resume",
         {{Minute, at(8, 7, 0), true}, {Resume, at(8, 7, 0), false}}},
        {"a clock set back over an alarm that went off",
         {{Minute, at(8, 7, 0), true}, {Resume, at(8, 6, 55), false}, {Minute, at(8, 7, 0), false}}},
        {"the day after goes off again", {{Minute, at(8, 7, 0), true}, {Minute, at(9, 7, 0), true}}},
        {"a forward jump over an alarm", {{Watch, at(8, 6, 58), false}, {Resume, at(8, 7, 2), true}}},
        {"a gap across midnight", {{Watch, at(8, 23, 55), false}, {Resume, at(9, 0, 3), true}}},
        {"the dialog open: missed", {{Watch, at(8, 6, 50), false}, {ResumeDialogOpen, at(8, 7, 3), false}}},
        {"nothing watched before: no catch-up at start", {{Resume, at(8, 7, 3), false}}},
        {"an alarm watched before the sleep is not in the gap",
         {{Watch, at(8, 7, 1), false}, {Resume, at(8, 7, 4), false}}},
    };
    for (const Story& story : stories) {
        AlarmSchedule schedule;
        int step = 0;
        for (const Step& s : story.steps) {
            bool show = false;
            switch (s.kind) {
            case Watch: schedule.watched(s.now); break;
            case Minute: show = schedule.alarmMinute(s.now, live); break;
            case Resume: show = schedule.catchUp(true, s.now, live); break;
            case ResumeDialogOpen: show = schedule.catchUp(false, s.now, live); break;
            }
            EXPECT_EQ(show, s.show) << story.what << ", step " << step;
            ++step;
        }
    }
}

TEST(AlarmSchedule, TheNextWakeAcrossMidnightAndDaylightSaving) {
    const auto minutes = [](const LocalTime& t) { return minutesSinceEpoch(t); };
    struct Case { const char* what; Settings live; LocalTime now; std::optional<int64_t> instant; };
    const Case cases[] = {
        {"later today", slots({1, 0, 0}, {7, 0, 0}, {0, 0, 0}), at(8, 6, 0), minutes(at(8, 7, 0)) - 60},
        {"in the alarm minute: tomorrow", slots({1, 0, 0}, {7, 0, 0}, {0, 0, 0}), at(8, 7, 0),
         minutes(at(9, 7, 0)) - 60},
        {"across midnight, the earliest slot", slots({1, 1, 0}, {23, 6, 0}, {0, 0, 0}), at(8, 23, 30),
         minutes(at(9, 6, 0)) - 60},
        {"all three slots", slots({1, 1, 1}, {9, 8, 10}, {0, 30, 0}), at(8, 8, 0), minutes(at(8, 8, 30)) - 60},
        {"the night summer time starts", slots({1, 0, 0}, {7, 0, 0}, {0, 0, 0}), at(28, 12, 0, 3),
         minutes(at(29, 7, 0, 3)) - 120},
        {"a time the clock skips moves a day on", slots({1, 0, 0}, {2, 0, 0}, {30, 0, 0}), at(29, 1, 0, 3),
         minutes(at(30, 2, 30, 3)) - 120},
        {"the night summer time ends", slots({1, 0, 0}, {7, 0, 0}, {0, 0, 0}), at(24, 22, 0, 10),
         minutes(at(25, 7, 0, 10)) - 60},
        {"the year's end", slots({0, 0, 1}, {0, 0, 0}, {0, 0, 5}), at(31, 23, 59), minutes(at(1, 0, 5, 1, 2027)) - 60},
        {"every slot off", slots({0, 0, 2}, {7, 7, 7}, {0, 0, 0}), at(8, 6, 0), std::nullopt},
        {"a slot on with no real time", slots({1, 0, 0}, {24, 0, 0}, {0, 0, 0}), at(8, 6, 0), std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(nextAlarmInstant(c.now, c.live, centralEurope), c.instant) << c.what;
    // The local clock's own arithmetic round-trips, before 1970 too.
    for (const LocalTime t : {at(29, 2, 30, 2, 2028), at(1, 0, 0, 1, 1969), at(31, 23, 59, 12, 2099)})
        EXPECT_EQ(localTimeAt(minutesSinceEpoch(t)), t);
}

TEST(AlarmSchedule, NoAlarmShowOverFullScreenWork) {
    struct Case { UserNotificationState state; bool allowed; };
    const Case cases[] = {
        {UserNotificationState::NotPresent, true},  // a locked PC still gets its show
        {UserNotificationState::Busy, false},
        {UserNotificationState::RunningD3dFullScreen, false},
        {UserNotificationState::PresentationMode, false},
        {UserNotificationState::AcceptsNotifications, true},
        {UserNotificationState::QuietTime, true},
        {UserNotificationState::App, true},
    };
    for (const Case& c : cases) EXPECT_EQ(alarmShowAllowed(c.state), c.allowed) << int(c.state);
}
