// The settings dialog; see settings_dialog.h. Nothing is shown yet.
#include "frontend/win32/settings_dialog.h"

namespace lumora::win32 {

void showSettingsDialog(HWND, Settings&, SettingsStore&) {}

}  // namespace lumora::win32
