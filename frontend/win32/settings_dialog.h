// The settings dialog, opened modally from the tray menu's settings entry.
// Not built yet: the call returns at once and changes nothing. The resident
// form already brackets it with TrayActive, so the dialog drops in here.
#pragma once

#include <windows.h>

#include "frontend/settings/settings.h"
#include "frontend/settings/settings_store.h"

namespace lumora::win32 {

// Shows the dialog over `owner` and returns when it is closed. The dialog
// reloads `live` from `store` when it opens and writes all twenty values on
// OK.
void showSettingsDialog(HWND owner, Settings& live, SettingsStore& store);

}  // namespace lumora::win32
