// The front end's entry, Main: one instance only, the settings load, the
// renderer beside us, then the resident form on a thread whose COM apartment
// is set up first (the shell's calls, ShellExecute among them, expect one). The command line is ignored:
// the run, configure and preview switches Windows hands a screen-saver file
// all lead to the same start.
#include <windows.h>
#include <objbase.h>

#include "common/settings/read_settings.h"
#include "common/win32/handles.h"
#include "frontend/win32/program_files.h"
#include "common/settings/win32/registry_store.h"
#include "frontend/win32/resident_form.h"
#include "common/win32/wide_text.h"

namespace {

using namespace lumora;
using namespace lumora::win32;

constexpr char kProgramTitle[] = "Lumora";
constexpr char kRendererMissing[] = "Lumora.dll が Lumora.scr と同じﾌｫﾙﾀﾞに見つかりません！";
constexpr wchar_t kInstanceMutex[] = L"Local\\Kelvane.Lumora.FrontEnd";

// An apartment-threaded COM on the UI thread for the program's life. A
// failure is survivable (the shell then sets up COM itself where it can).
struct ComApartment {
    const bool initialised =
        SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    ComApartment() = default;
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (initialised) CoUninitialize();
    }
};

int Main(HINSTANCE instance) {
    // 1. Another instance runs: end without a word, before anything is read
    // or written. A mutex we may not open belongs to another instance too.
    UniqueHandle instanceMutex(CreateMutexW(nullptr, FALSE, kInstanceMutex));
    const DWORD mutexError = GetLastError();
    if (mutexError == ERROR_ALREADY_EXISTS || (!instanceMutex && mutexError == ERROR_ACCESS_DENIED)) return 0;

    // 2. The load writes missing defaults even if step 3 ends the program.
    Settings live = zeroSettings();
    RegistryStore store;
    ReadSettings(live, store, fileExistsUtf8);

    // 3. The renderer must be beside us; the current folder does not count.
    if (!fileExistsUtf8(narrow(rendererPath()))) {
        MessageBoxW(nullptr, widen(kRendererMissing).c_str(), widen(kProgramTitle).c_str(), MB_OK);
        return 0;
    }

    // 4. Resident until the exit entry or the end of the session.
    ComApartment com;
    return runResidentForm(instance, live, store);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return Main(instance); }
