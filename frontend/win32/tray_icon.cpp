// Tray icon and pop-up menu; see tray_icon.h.
#include "frontend/win32/tray_icon.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <string_view>

#include "common/win32/debug_log.h"
#include "common/win32/wide_text.h"
#include "frontend/resident/alarm_schedule.h"
#include "frontend/resident/tray_menu.h"

namespace lumora::win32 {

namespace {
constexpr char kTip[] = "Lumora";
constexpr char kBalloonTitle[] = "Lumora";
constexpr char kStartFailureText[] = "花火を開始できませんでした";

NOTIFYICONDATAW iconRecord(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = kTrayIconId;
    return data;
}
}  // namespace

bool addTrayIcon(HWND window, HICON icon) {
    NOTIFYICONDATAW data = iconRecord(window);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = icon;
    const std::wstring tip = widen(kTip);
    tip.copy(data.szTip, std::size(data.szTip) - 1);  // the record is zeroed: the tip stays terminated
    return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

bool deleteTrayIcon(HWND window) {
    NOTIFYICONDATAW data = iconRecord(window);
    return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
}

bool TrayIconShell::addIcon() {
    if (addTrayIcon(window_, icon_)) return true;
    // NIM_MODIFY succeeds only on an icon the shell has.
    NOTIFYICONDATAW data = iconRecord(window_);
    data.uFlags = NIF_ICON;
    data.hIcon = icon_;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void TrayIconShell::log(const std::string& line) { logLine(line); }

UniqueIcon loadTrayIcon(HINSTANCE instance, int id) {
    HICON icon = nullptr;
    // Common controls 6 (our manifest asks for them) pick the image nearest
    // the small-icon metric and scale from a larger one, never up.
    if (SUCCEEDED(LoadIconMetric(instance, MAKEINTRESOURCEW(id), LIM_SMALL, &icon)) && icon) return UniqueIcon(icon);
    return UniqueIcon(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                    LR_DEFAULTCOLOR)));
}

namespace {
// A balloon titled "Lumora" saying `text`; `what` is its ASCII name for the
// debug output (the wide debug call's text is lost on Wine's channel).
bool showBalloon(HWND window, const char* text, DWORD icon, const std::string& what) {
    NOTIFYICONDATAW data = iconRecord(window);
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = icon;
    widen(kBalloonTitle).copy(data.szInfoTitle, std::size(data.szInfoTitle) - 1);
    widen(text).copy(data.szInfo, std::size(data.szInfo) - 1);
    const bool shown = Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    logLine("balloon: " + what + (shown ? "" : " (not shown)"));
    return shown;
}
}  // namespace

bool showStartFailureBalloon(HWND window) {
    return showBalloon(window, kStartFailureText, NIIF_WARNING, "the show could not start");
}

bool showAlarmDeclinedBalloon(HWND window) {
    return showBalloon(window, kAlarmDeclinedText, NIIF_INFO, "the alarm show was passed over for full-screen work");
}

UniqueMenu createPopupMenu() {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return menu;
    UINT command = kFirstMenuCommand;
    for (const MenuEntry& entry : kPopupMenu) {
        if (std::string(entry.caption) == "-") AppendMenuW(menu.get(), MF_SEPARATOR, command, nullptr);
        else AppendMenuW(menu.get(), MF_STRING, command, widen(entry.caption).c_str());
        ++command;
    }
    return menu;
}

UINT menuCommand(std::string_view name) {
    UINT command = kFirstMenuCommand;
    for (const MenuEntry& entry : kPopupMenu) {
        if (name == entry.name) return command;
        ++command;
    }
    return 0;
}

void setMenuCheck(HMENU menu, std::string_view name, bool checked) {
    CheckMenuItem(menu, menuCommand(name), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void showPopupMenu(HWND window, HMENU menu) {
    POINT at{};
    GetCursorPos(&at);
    // Without the foreground the menu would not close when the user clicks
    // elsewhere; the WM_NULL afterwards lets a second right-click open it
    // again at once.
    SetForegroundWindow(window);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, window, nullptr);
    PostMessageW(window, WM_NULL, 0, 0);
}

}  // namespace lumora::win32
