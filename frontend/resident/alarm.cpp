// The alarm check; see alarm.h.
#include "frontend/resident/alarm.h"

namespace lumora {

bool alarmSlotMatches(const Settings& live, int slot, int hour, int minute) {
    const std::size_t i = static_cast<std::size_t>(slot);
    // Only a switch value of exactly 1 counts; out-of-range times never match.
    return live.AlarmEnabled[i] == 1 && live.AlarmHour[i] == hour && live.AlarmMinute[i] == minute;
}

bool anyAlarmEnabled(const Settings& live) {
    for (int32_t e : live.AlarmEnabled)
        if (e == 1) return true;
    return false;
}

bool AlarmCheck::tick(bool trayActive, int hour, int minute, const Settings& live) {
    if (!trayActive) return false;
    if (minute == LastMinute) {
        MinuteChanged = false;
    } else {
        LastMinute = static_cast<int16_t>(minute);
        MinuteChanged = true;
    }
    if (!MinuteChanged) return false;
    // Several slots at the same time start one show.
    for (int slot = 0; slot < 3; ++slot)
        if (alarmSlotMatches(live, slot, hour, minute)) return true;
    return false;
}

}  // namespace lumora
