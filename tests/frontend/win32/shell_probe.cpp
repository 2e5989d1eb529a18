// Plays the shell's part in the front end's black-box tests, for what
// xdotool cannot do:
//   shell_probe delete-icon      removes the front end's notification icon,
//                                as a restarting shell loses every icon
//   shell_probe taskbar-created  broadcasts "TaskbarCreated", as a shell
//                                does once it is back
//   shell_probe send MSG WPARAM  sends a message (numbers, 0x.. allowed) to
//                                the front end's hidden window and prints
//                                the reply, as the system does at log-off
//   shell_probe post MSG WPARAM  posts it, as a task manager posts WM_CLOSE
// Exit status 0 on success, 1 on failure, 2 on a usage error.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

namespace {
bool number(const wchar_t* text, unsigned long long& value) {
    wchar_t* end = nullptr;
    value = std::wcstoull(text, &end, 0);
    return end != text && *end == 0;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    unsigned long long message = 0, wParam = 0;
    if (argc == 4 && (std::wcscmp(argv[1], L"send") == 0 || std::wcscmp(argv[1], L"post") == 0)) {
        if (!number(argv[2], message) || !number(argv[3], wParam)) return 2;
        const HWND form = FindWindowW(L"Lumora_S", nullptr);
        if (!form) {
            std::fprintf(stderr, "shell_probe: no Lumora_S window\n");
            return 1;
        }
        if (argv[1][0] == L'p') return PostMessageW(form, static_cast<UINT>(message), wParam, 0) ? 0 : 1;
        DWORD_PTR reply = 0;
        if (!SendMessageTimeoutW(form, static_cast<UINT>(message), wParam, 0, SMTO_ABORTIFHUNG, 10000, &reply))
            return 1;
        std::printf("%llu\n", static_cast<unsigned long long>(reply));
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: shell_probe delete-icon|taskbar-created|send MSG WPARAM|post MSG WPARAM\n");
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
