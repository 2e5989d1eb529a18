// A stand-in for the renderer in the front end's black-box tests, copied
// beside Lumora.scr as Lumora.dll. It shows a small window titled
// "Lumora_VC" (the title the front end watches), closes on a mouse click or
// WM_CLOSE, and appends to "standin.log" in its own folder one line per
// start and per end:
//   start cmdline=<its command line> show=<wShowWindow> flags=<dwFlags hex> cwd=<its current folder>
//   end
// so a test can check how it was started. It ends by itself after five
// minutes, should a test lose track of it.
#include <windows.h>

#include <string>

namespace {

void appendLog(const std::wstring& line) {
    wchar_t self[MAX_PATH * 4] = {};
    const DWORD length = GetModuleFileNameW(nullptr, self, static_cast<DWORD>(std::size(self)));
    std::wstring path(self, length);
    path = path.substr(0, path.find_last_of(L'\\') + 1) + L"standin.log";
    const HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::wstring text = line + L"\n";
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                          nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), bytes, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    CloseHandle(file);
}

LRESULT CALLBACK standinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_TIMER:
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        appendLog(L"end");
        PostQuitMessage(0);
        return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    wchar_t flags[16] = {};
    wsprintfW(flags, L"%lx", startup.dwFlags);
    wchar_t folder[MAX_PATH * 4] = {};
    GetCurrentDirectoryW(static_cast<DWORD>(std::size(folder)), folder);
    appendLog(std::wstring(L"start cmdline=") + GetCommandLineW() + L" show=" + std::to_wstring(startup.wShowWindow) +
              L" flags=" + flags + L" cwd=" + folder);

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = standinProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = L"LumoraRendererStandIn";
    if (!RegisterClassW(&windowClass)) return 1;
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Lumora_VC", WS_POPUP | WS_VISIBLE | WS_BORDER,
                                        400, 200, 320, 240, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    SetTimer(window, 1, 5 * 60 * 1000, nullptr);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
