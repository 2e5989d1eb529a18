// The notification-area icon and its pop-up menu: one short function per
// shell operation, each filling a fresh record. What the menu entries do is
// the resident form's; this file only builds, shows and removes things.
#pragma once

#include <windows.h>

#include "common/win32/handles.h"

namespace lumora::win32 {

constexpr UINT kTrayIconId = 1;
// Menu command of kPopupMenu[i] is kFirstMenuCommand + i.
constexpr UINT kFirstMenuCommand = 100;

// NIM_ADD: the icon with its tip "Lumora", reporting mouse messages to
// `window` as kTrayCallbackMessage.
bool addTrayIcon(HWND window, HICON icon);
// NIM_DELETE.
bool deleteTrayIcon(HWND window);

// NIM_MODIFY with a balloon (NIF_INFO, a warning icon) titled "Lumora"
// saying that the show could not start. Each request is also written to
// the debugger's output as "Lumora: balloon: <what>" (ASCII), so tests can
// see it where the shell shows no balloon.
bool showStartFailureBalloon(HWND window);

// The pop-up menu of the tray icon, entries and captions from kPopupMenu.
UniqueMenu createPopupMenu();
// Shows `menu` at the mouse position; the chosen entry arrives at `window`
// as WM_COMMAND.
void showPopupMenu(HWND window, HMENU menu);

}  // namespace lumora::win32
