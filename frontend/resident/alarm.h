// The alarm check of the resident form: once a second, and only on the first
// tick of a new minute, does any switched-on slot name this hour and minute?
// The clock is passed in; nothing here reads it.
#pragma once

#include <cstdint>

#include "common/settings/settings.h"

namespace lumora {

struct AlarmCheck {
    int16_t LastMinute = 0;
    bool MinuteChanged = false;

    // One tick of tmrChangeTime. True when a show should start now.
    // `trayActive` false (the settings dialog is open): nothing happens and
    // LastMinute is not updated.
    bool tick(bool trayActive, int hour, int minute, const Settings& live);
};

// Whether slot i (0..2) is switched on and set to this time.
bool alarmSlotMatches(const Settings& live, int slot, int hour, int minute);

// Whether any slot is switched on (the form arms the check at load then).
bool anyAlarmEnabled(const Settings& live);

}  // namespace lumora
