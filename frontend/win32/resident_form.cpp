// The resident form's window and handlers; see resident_form.h.
#include "frontend/win32/resident_form.h"

#include <shellapi.h>

#include <string_view>

#include "common/settings/settings_parse.h"
#include "frontend/resident/startup_entry.h"
#include "frontend/resident/tray_menu.h"
#include "frontend/win32/scr_resource.h"
#include "frontend/win32/settings_dialog.h"
#include "frontend/win32/tray_icon.h"
#include "common/win32/debug_log.h"
#include "common/win32/wide_text.h"
#include "frontend/win32/program_files.h"

namespace lumora::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"Lumora_S";

// Timer ids and intervals of the form, and the tray icon's retry timer.
constexpr UINT_PTR kTimer1 = 1, kTimer2 = 2, kTimer3 = 3, kTmrChangeTime = 4, kTrayRetry = 5;
constexpr UINT kTimer1Ms = 1000, kTimer2Ms = 200, kTimer3Ms = 50, kTmrChangeTimeMs = 1000;

// Sets or kills one timer when the wanted state differs from the armed one.
// SetTimer on a running timer would restart its period, so it is only
// called on a change.
void syncTimer(HWND window, UINT_PTR id, UINT intervalMs, bool wanted, bool& armed) {
    if (wanted == armed) return;
    if (wanted) armed = SetTimer(window, id, intervalMs, nullptr) != 0;
    else {
        KillTimer(window, id);
        armed = false;
    }
}

// Called after every call into the core.
void syncTimers(ResidentForm& form) {
    const FormTimers& wanted = form.supervisor.timers;
    syncTimer(form.window, kTimer3, kTimer3Ms, wanted.Timer3, form.armed.Timer3);
    syncTimer(form.window, kTimer2, kTimer2Ms, wanted.Timer2, form.armed.Timer2);
    syncTimer(form.window, kTimer1, kTimer1Ms, wanted.Timer1, form.armed.Timer1);
    syncTimer(form.window, kTmrChangeTime, kTmrChangeTimeMs, wanted.tmrChangeTime, form.armed.tmrChangeTime);
    syncTimer(form.window, kTrayRetry, TrayIconKeeper::kRetryIntervalMs,
              form.trayKeeper && form.trayKeeper->retrying(), form.trayRetryArmed);
}

uint32_t nowMs() { return GetTickCount(); }

// The wake timer follows the alarm settings: due at the next time a
// switched-on slot comes round, cancelled when none is on.
void armWakeTimer(ResidentForm& form) {
    form.wake.set(nextAlarmInstant(localNow(), form.live, localToUtcMinutes));
}

// An alarm's show, unless full-screen work is in front (asked before the
// renderer starts: its own full-screen window would make the answer "busy").
void startAlarmShow(ResidentForm& form) {
    const UserNotificationState state = userNotificationState();
    if (!alarmShowAllowed(state)) {
        logLine("an alarm passed over: the user notification state is " + std::to_string(int(state)));
        showAlarmDeclinedBalloon(form.window);
        return;
    }
    form.supervisor.StartShow(nowMs());
    syncTimers(form);
}

// ---- The form's handlers, by their names.

void Form_Load(ResidentForm& form) {
    form.launcher.trayWindow = form.window;
    // At a start at logon the shell may not be ready: the keeper retries.
    form.trayShell = std::make_unique<TrayIconShell>(form.window, form.icon.get());
    form.trayKeeper = std::make_unique<TrayIconKeeper>(*form.trayShell);
    form.trayKeeper->add(nowMs());
    form.TrayActive = true;
    if (anyAlarmEnabled(form.live)) form.supervisor.timers.tmrChangeTime = true;
    form.schedule.watched(localNow());
    armWakeTimer(form);
    // Timer3 is enabled at load; the window is never shown.
    syncTimers(form);
}

void Form_QueryUnload(ResidentForm& form) { deleteTrayIcon(form.window); }

bool soundOn(ResidentForm& form) {
    std::string text;
    return effectsSoundOn(form.store.readValue(settingValueName(kEffectsVolumeIndex), text) ? std::optional(text)
                                                                                            : std::nullopt);
}

StartupState startupNow() {
    return startupState(readRunValue(), readStartupApproved(), narrow(ownProgramPath()));
}

void Form_MouseMove(ResidentForm& form, UINT mouseMessage) {
    if (!shouldOpenTrayMenu(form.TrayActive, mouseMessage)) return;
    // The check entries show what the store and the system say now.
    setMenuCheck(form.popup.get(), "m_Sound", soundOn(form));
    setMenuCheck(form.popup.get(), "m_Startup", startupNow() == StartupState::On);
    showPopupMenu(form.window, form.popup.get());
}

// "効果音": the firework sounds off (0) or back at their default volume.
void m_Sound_Click(ResidentForm& form) {
    form.store.writeValue(settingValueName(kEffectsVolumeIndex), effectsValueWhenChosen(soundOn(form)));
}

// "Windows の起動時に開始": the Run value written or deleted; a start-up the
// system has disabled is explained, never overridden.
void m_Startup_Click(ResidentForm& form) {
    switch (startupChosen(startupNow())) {
    case StartupAction::WriteRunValue: writeRunValue(runValueFor(narrow(ownProgramPath()))); break;
    case StartupAction::DeleteRunValue: deleteRunValue(); break;
    case StartupAction::ExplainDisabled:
        MessageBoxW(form.window, widen(kStartupDisabledText).c_str(), L"Lumora", MB_OK | MB_ICONINFORMATION);
        break;
    }
}

void m_Flarix_Click(ResidentForm& form) {
    form.supervisor.StartShow(nowMs());
    syncTimers(form);
}

void m_Set_Click(ResidentForm& form) {
    // Timers keep ticking under the modal dialog; TrayActive keeps the alarm
    // and the icon's menu quiet meanwhile.
    form.TrayActive = false;
    showSettingsDialog(form.window, form.live, form.store);
    form.TrayActive = true;
    // An alarm whose minute passed while the dialog was open stays missed.
    form.schedule.watched(localNow());
    armWakeTimer(form);
}

// "ホームページ": our own help page beside the programs, in the user's
// browser. A page that is not there opens nothing and says so.
void m_URL_Click(ResidentForm& form) {
    const std::wstring page = ownFolder() + L"\\" + widen(kHelpPageFile);
    if (!fileExistsUtf8(narrow(page))) {
        MessageBoxW(form.window, widen(kHelpPageMissingText).c_str(), L"Lumora", MB_OK | MB_ICONINFORMATION);
        return;
    }
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    logLine("help page: " + narrow(page));
    ShellExecuteW(form.window, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);  // a failure is not reported
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void m_Exit_Click(ResidentForm& form) {
    Form_QueryUnload(form);
    DestroyWindow(form.window);  // WM_DESTROY ends the message loop
}

void tmrChangeTime_Timer(ResidentForm& form) {
    const LocalTime now = localNow();
    if (form.alarm.tick(form.TrayActive, now.hour, now.minute, form.live) && form.schedule.alarmMinute(now, form.live)) {
        startAlarmShow(form);
        armWakeTimer(form);
    }
    form.schedule.watched(now);
}

// The machine resumed or the clock changed: an alarm that fell in the gap,
// no more than 10 minutes ago, starts its show now; the wake timer is set
// afresh (a clock change moves it).
void alarmGap(ResidentForm& form) {
    if (form.schedule.catchUp(form.TrayActive && !form.supervisor.timers.Timer3, localNow(), form.live))
        startAlarmShow(form);
    armWakeTimer(form);
}

void onTimer(ResidentForm& form, UINT_PTR id) {
    // A tick of a timer the core has just disabled may already be queued:
    // a disabled timer never runs its handler.
    const FormTimers& on = form.supervisor.timers;
    switch (id) {
    case kTimer3:
        if (on.Timer3) form.supervisor.EndOfShow(nowMs());
        form.schedule.watched(localNow());  // a show runs: its alarm check waits
        break;
    case kTimer2:
        if (on.Timer2) form.supervisor.Timer2Tick();
        break;
    case kTimer1:
        if (on.Timer1) form.supervisor.Timer1Tick();
        break;
    case kTmrChangeTime:
        if (on.tmrChangeTime) tmrChangeTime_Timer(form);
        break;
    case kTrayRetry:
        if (form.trayKeeper) form.trayKeeper->retryTick(nowMs());
        break;
    default: return;
    }
    syncTimers(form);
}

void onMenuCommand(ResidentForm& form, UINT command) {
    if (command < kFirstMenuCommand || command >= kFirstMenuCommand + std::size(kPopupMenu)) return;
    const std::string_view name = kPopupMenu[command - kFirstMenuCommand].name;
    if (name == "m_Flarix") m_Flarix_Click(form);
    else if (name == "m_Sound") m_Sound_Click(form);
    else if (name == "m_Startup") m_Startup_Click(form);
    else if (name == "m_Set") m_Set_Click(form);
    else if (name == "m_URL") m_URL_Click(form);
    else if (name == "m_Exit") m_Exit_Click(form);
}

LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* form = static_cast<ResidentForm*>(created->lpCreateParams);
        form->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    auto* form = reinterpret_cast<ResidentForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form) return DefWindowProcW(window, message, wParam, lParam);

    // Explorer broadcasts this when it (re)starts: the icon must be added
    // again or it is gone for good.
    if (message == form->taskbarCreatedMessage && message != 0) {
        if (form->trayKeeper) {
            form->trayKeeper->add(nowMs());
            syncTimers(*form);
        }
        return 0;
    }
    switch (message) {
    case kTrayCallbackMessage:
        // The icon's callback; the mouse message on the icon is in lParam.
        Form_MouseMove(*form, LOWORD(lParam));
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0) onMenuCommand(*form, LOWORD(wParam));
        return 0;
    case WM_TIMER:
        onTimer(*form, wParam);
        return 0;
    case WM_POWERBROADCAST:
        // Before sleep the clock is watched for the last time; after it, an
        // alarm missed in the gap may still go off.
        if (wParam == PBT_APMSUSPEND) form->schedule.watched(localNow());
        else if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) alarmGap(*form);
        return TRUE;
    case WM_TIMECHANGE:
        alarmGap(*form);
        return 0;
    case WM_QUERYENDSESSION:
        // Never refused. The icon stays: the user or another program may
        // still cancel the shutdown, and a program without its icon could
        // not be reached any more (a second start ends on the lock).
        return TRUE;
    case WM_ENDSESSION:
        // wParam: the session really ends. The process may be ended at any
        // moment after this returns.
        if (wParam) Form_QueryUnload(*form);
        return 0;
    case WM_CLOSE:
        // From outside (a task manager, an installer): end as "終了" does,
        // without leaving a ghost icon behind.
        m_Exit_Click(*form);
        return 0;
    case WM_DESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        PostQuitMessage(0);
        return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int runResidentForm(HINSTANCE instance, const Settings& loaded, SettingsStore& store) {
    ResidentForm form(instance, loaded, store);
    form.icon = loadTrayIcon(instance, LUMORA_SCR_ICON_ID);
    form.popup = createPopupMenu();
    form.taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");

    WNDCLASSW formClass{};
    formClass.lpfnWndProc = formProc;
    formClass.hInstance = instance;
    formClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(LUMORA_SCR_ICON_ID));
    formClass.lpszClassName = kFormClass;
    if (!RegisterClassW(&formClass)) {
        OutputDebugStringW(L"Lumora: RegisterClassW failed\n");
        return 1;
    }
    // A top-level window, so that the TaskbarCreated broadcast reaches it; it
    // is never shown.
    if (!CreateWindowExW(WS_EX_TOOLWINDOW, kFormClass, kFormClass, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, &form)) {
        OutputDebugStringW(L"Lumora: CreateWindowExW failed\n");
        return 1;
    }
    Form_Load(form);

    MSG msg{};
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) break;   // WM_QUIT
        if (got == -1) return 1;  // cannot happen with these arguments; never spin on it
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace lumora::win32
