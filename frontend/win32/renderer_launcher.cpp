// The renderer's start and its window lookup; see renderer_launcher.h.
#include "frontend/win32/renderer_launcher.h"

#include <windows.h>

#include <string>
#include <vector>

#include "frontend/win32/program_files.h"
#include "frontend/win32/tray_icon.h"

namespace lumora::win32 {

bool RendererLauncher::startRenderer() {
    // The renderer is an executable whatever its extension: CreateProcessW
    // starts it by its full path. Its command line is the quoted path alone,
    // as a program started without arguments sees it.
    const std::wstring path = rendererPath();
    std::wstring commandLine = L"\"" + path + L"\"";
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());  // CreateProcessW may write into it
    writable.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info{};
    // The renderer runs in its own folder, not in whatever folder the front
    // end was started from: a process keeps its current folder from being
    // deleted or renamed while it runs.
    const std::wstring folder = ownFolder();
    if (!CreateProcessW(path.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        OutputDebugStringW((L"Lumora: the renderer did not start: " + path + L"\n").c_str());
        return false;
    }
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);  // the previous show's handle is closed here
    return true;
}

bool RendererLauncher::rendererWindowExists() { return FindWindowW(nullptr, L"Lumora_VC") != nullptr; }

bool RendererLauncher::rendererRunning() {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

void RendererLauncher::reportStartFailure() {
    if (trayWindow) showStartFailureBalloon(trayWindow);
}

void RendererLauncher::keepDisplayOn(bool on) {
    // The display on and the machine awake: after a wake with nobody at the
    // keyboard Windows would send it back to sleep in about two minutes.
    // ES_CONTINUOUS alone clears the request made before.
    SetThreadExecutionState(on ? ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
}

}  // namespace lumora::win32
