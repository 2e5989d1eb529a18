// A small console helper for the black-box tests of Lumora.dll under Wine:
// it plays the other programs a running show meets.
//
//   saver_probe find                 describe the running show's window
//   saver_probe post MESSAGE WPARAM  post a message (numbers, 0x.. allowed) to it
//   saver_probe decoy MS             a window of the screen-saver class still
//                                    titled "Screensaver", for MS milliseconds
//   saver_probe window MS            an ordinary window that takes the
//                                    foreground, for MS milliseconds
//   saver_probe monitors             the monitor count, the cover windows over
//                                    the other monitors, and the show
//                                    window's DPI awareness (0 unaware,
//                                    1 system, 2 per monitor, -1 unknown)
//
// Exit status 0 on success, 1 when the show's window is not found or a call
// fails, 2 on bad arguments.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

const wchar_t kClass[] = L"WindowsScreenSaverClass";

bool number(const wchar_t* text, unsigned long long& value) {
    wchar_t* end = nullptr;
    value = std::wcstoull(text, &end, 0);
    return end != text && *end == 0;
}

HWND showWindow() { return FindWindowW(kClass, L"Lumora_VC"); }

int find() {
    const HWND w = showWindow();
    if (!w) {
        std::printf("no window\n");
        return 1;
    }
    wchar_t name[128] = {};
    GetClassNameW(w, name, 128);
    RECT r{};
    GetWindowRect(w, &r);
    RECT client{};
    GetClientRect(w, &client);
    // Narrow, for the shell: the names are ASCII.
    char narrow[128] = {};
    WideCharToMultiByte(CP_UTF8, 0, name, -1, narrow, sizeof narrow, nullptr, nullptr);
    std::printf("class %s\nrect %ld %ld %ld %ld\nclient %ld %ld\nscreen %d %d\nstyle 0x%08lx\nexstyle 0x%08lx\n",
                narrow, r.left, r.top, r.right, r.bottom, client.right, client.bottom, GetSystemMetrics(SM_CXSCREEN),
                GetSystemMetrics(SM_CYSCREEN), static_cast<unsigned long>(GetWindowLongW(w, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongW(w, GWL_EXSTYLE)));
    return 0;
}

int post(unsigned long long message, unsigned long long wParam) {
    const HWND w = showWindow();
    if (!w) {
        std::printf("no window\n");
        return 1;
    }
    return PostMessageW(w, static_cast<UINT>(message), static_cast<WPARAM>(wParam), 0) ? 0 : 1;
}

BOOL CALLBACK countCover(HWND w, LPARAM count) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    if (std::wcscmp(name, L"LumoraMonitorCover") == 0) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// The show window's awareness through the calls of Windows 10 (Wine has
// them); looked up at run time so the probe starts on older systems too.
int showAwareness(HWND w) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    using WindowContext = HANDLE(WINAPI*)(HWND);
    using Awareness = int(WINAPI*)(HANDLE);
    const auto windowContext =
        reinterpret_cast<WindowContext>(reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
    const auto awareness = reinterpret_cast<Awareness>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    if (!windowContext || !awareness) return -1;
    return awareness(windowContext(w));
}

int monitors() {
    const HWND w = showWindow();
    if (!w) {
        std::printf("no window\n");
        return 1;
    }
    int covers = 0;
    EnumWindows(countCover, reinterpret_cast<LPARAM>(&covers));
    std::printf("monitors %d\ncovers %d\nawareness %d\n", GetSystemMetrics(SM_CMONITORS), covers, showAwareness(w));
    return 0;
}

LRESULT CALLBACK probeProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(w, message, wParam, lParam);
}

// A window shown for `ms` milliseconds, pumping its messages.
int windowFor(const wchar_t* className, const wchar_t* title, unsigned long long ms, bool takeForeground) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = probeProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = className;
    if (!RegisterClassW(&wc)) return 1;
    const HWND w = CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 200, 120, nullptr,
                                   nullptr, wc.hInstance, nullptr);
    if (!w) return 1;
    if (takeForeground) SetForegroundWindow(w);
    std::printf("window up\n");
    std::fflush(stdout);
    SetTimer(w, 1, static_cast<UINT>(ms), nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == w) DestroyWindow(w);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    unsigned long long a = 0, b = 0;
    if (argc == 2 && std::wcscmp(argv[1], L"find") == 0) return find();
    if (argc == 2 && std::wcscmp(argv[1], L"monitors") == 0) return monitors();
    if (argc == 4 && std::wcscmp(argv[1], L"post") == 0 && number(argv[2], a) && number(argv[3], b))
        return post(a, b);
    if (argc == 3 && std::wcscmp(argv[1], L"decoy") == 0 && number(argv[2], a))
        return windowFor(kClass, L"Screensaver", a, false);
    if (argc == 3 && std::wcscmp(argv[1], L"window") == 0 && number(argv[2], a))
        return windowFor(L"LumoraProbeWindow", L"Lumora probe", a, true);
    std::fprintf(stderr, "usage: saver_probe find | monitors | post MESSAGE WPARAM | decoy MS | window MS\n");
    return 2;
}
