// The resident form: a window that is never shown, the notification-area
// icon with its pop-up menu, and the form's four timers. The window carries
// one ResidentForm (GWLP_USERDATA); its procedure turns messages into the
// form's handlers, which call the portable core and then mirror the timers
// the core wants onto real ones.
#pragma once

#include <windows.h>

#include <memory>

#include "frontend/music/music.h"
#include "frontend/resident/alarm.h"
#include "frontend/resident/alarm_schedule.h"
#include "frontend/resident/show_supervisor.h"
#include "frontend/resident/tray_icon_keeper.h"
#include "common/settings/settings.h"
#include "common/settings/settings_store.h"
#include "common/win32/handles.h"
#include "frontend/win32/power_and_logon.h"
#include "frontend/win32/renderer_launcher.h"
#include "frontend/win32/winmm_mci.h"

namespace lumora::win32 {

struct ResidentForm {
    ResidentForm(HINSTANCE instance, const Settings& loaded, SettingsStore& settingsStore)
        : instance(instance), live(loaded), store(settingsStore) {}
    ResidentForm(const ResidentForm&) = delete;
    ResidentForm& operator=(const ResidentForm&) = delete;

    HINSTANCE instance;
    HWND window = nullptr;
    // The live settings: what the alarm, the show and the music read at the
    // moment of use.
    Settings live;
    SettingsStore& store;

    WinmmMci mci;
    Music music{mci, live};
    RendererLauncher launcher;
    ShowSupervisor supervisor{launcher, music, live};
    AlarmCheck alarm;
    // Across sleep and clock changes: one show per slot per date, catch-up.
    AlarmSchedule schedule;
    // Wakes the machine for the next alarm.
    WakeTimer wake;

    // False exactly while the settings dialog is open.
    bool TrayActive = false;
    UniqueIcon icon;
    UniqueMenu popup;
    // Made once the window exists; retries the icon while the shell refuses it.
    std::unique_ptr<TrayShell> trayShell;
    std::unique_ptr<TrayIconKeeper> trayKeeper;
    bool trayRetryArmed = false;
    UINT taskbarCreatedMessage = 0;
    // The timers set on the window now (supervisor.timers is what the core
    // wants).
    FormTimers armed{false, false, false, false};
};

// Loads the form, runs the message loop until the program ends, and returns
// the exit code. `loaded` are the settings Main read.
int runResidentForm(HINSTANCE instance, const Settings& loaded, SettingsStore& store);

}  // namespace lumora::win32
