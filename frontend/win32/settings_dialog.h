// The settings dialog `Lumora_M`, opened modally from the tray menu's
// settings entry: its window, its picture box and controls, the zoom in and
// out, and a modal loop of its own. The rules (what the load shows, what a
// choice or a button does) are SettingsForm's (frontend/dialog).
#pragma once

#include <windows.h>

#include "common/settings/settings.h"
#include "common/settings/settings_store.h"

namespace lumora::win32 {

// Shows the dialog over `owner` and returns when it is unloaded. The dialog
// reloads `live` from `store` when it opens, changes `live` as its choices
// are made, and writes all twenty values on OK. A WM_QUIT that arrives
// meanwhile closes it and is posted again for the caller's loop.
void showSettingsDialog(HWND owner, Settings& live, SettingsStore& store);

}  // namespace lumora::win32
