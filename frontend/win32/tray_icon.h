// The notification-area icon and its pop-up menu: one short function per
// shell operation, each filling a fresh record. What the menu entries do is
// the resident form's; this file only builds, shows and removes things.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "common/win32/handles.h"
#include "frontend/resident/tray_icon_keeper.h"

namespace lumora::win32 {

constexpr UINT kTrayIconId = 1;
// Menu command of kPopupMenu[i] is kFirstMenuCommand + i.
constexpr UINT kFirstMenuCommand = 100;

// NIM_ADD: the icon with its tip "Lumora", reporting mouse messages to
// `window` as kTrayCallbackMessage.
bool addTrayIcon(HWND window, HICON icon);
// NIM_DELETE.
bool deleteTrayIcon(HWND window);

// The shell as the icon keeper sees it: NIM_ADD, or an icon the shell
// already has (an add that timed out may still have been carried out), and
// failures in the debug log.
class TrayIconShell : public TrayShell {
public:
    TrayIconShell(HWND window, HICON icon) : window_(window), icon_(icon) {}
    bool addIcon() override;
    void log(const std::string& line) override;

private:
    HWND window_;
    HICON icon_;
};

// The icon at the size the notification area wants (the small-icon size at
// this DPI), from the icon resource `id`.
UniqueIcon loadTrayIcon(HINSTANCE instance, int id);

// NIM_MODIFY with a balloon (NIF_INFO, a warning icon) titled "Lumora"
// saying that the show could not start. Each request is also written to
// the debugger's output as "Lumora: balloon: <what>" (ASCII), so tests can
// see it where the shell shows no balloon.
bool showStartFailureBalloon(HWND window);
// The same for an alarm whose show was passed over for full-screen work.
bool showAlarmDeclinedBalloon(HWND window);

// The pop-up menu of the tray icon, entries and captions from kPopupMenu.
UniqueMenu createPopupMenu();
// The command of the entry named `name` (m_Sound, ...); 0 for none.
UINT menuCommand(std::string_view name);
// Checks or unchecks the entry named `name`.
void setMenuCheck(HMENU menu, std::string_view name, bool checked);
// Shows `menu` at the mouse position; the chosen entry arrives at `window`
// as WM_COMMAND.
void showPopupMenu(HWND window, HMENU menu);

}  // namespace lumora::win32
