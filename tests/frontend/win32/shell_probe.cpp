// Plays the shell's part in the front end's black-box tests, for what
// xdotool cannot do:
//   shell_probe delete-icon      removes the front end's notification icon,
//                                as a restarting shell loses every icon
//   shell_probe taskbar-created  broadcasts "TaskbarCreated", as a shell
//                                does once it is back
// Exit status 0 on success, 1 on failure, 2 on a usage error.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: shell_probe delete-icon|taskbar-created\n");
        return 2;
    }
    if (std::wcscmp(argv[1], L"delete-icon") == 0) {
        // The front end's hidden window and icon id 1 name its icon.
        const HWND form = FindWindowW(L"Lumora_S", nullptr);
        if (!form) {
            std::fprintf(stderr, "shell_probe: no Lumora_S window\n");
            return 1;
        }
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = form;
        data.uID = 1;
        return Shell_NotifyIconW(NIM_DELETE, &data) ? 0 : 1;
    }
    if (std::wcscmp(argv[1], L"taskbar-created") == 0) {
        const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
        return message && SendNotifyMessageW(HWND_BROADCAST, message, 0, 0) ? 0 : 1;
    }
    std::fprintf(stderr, "shell_probe: unknown command\n");
    return 2;
}
