// Starting the renderer and watching it, for the show supervisor: the
// process is started from the front end's folder with no arguments, in that
// folder as its current folder, its
// window is found by title. The front end never talks to the renderer; the
// process handle is kept only to ask whether it still runs, and closed once
// its show has ended. A failed start shows a balloon on the tray icon; a
// running show keeps the display on (the execution state is the UI
// thread's, where every call of the supervisor runs).
#pragma once

#include "frontend/resident/show_supervisor.h"
#include "common/win32/handles.h"

namespace lumora::win32 {

class RendererLauncher : public ShowPlatform {
public:
    bool startRenderer() override;
    bool rendererWindowExists() override;
    bool rendererRunning() override;
    void releaseRenderer() override { process_.reset(); }
    void reportStartFailure() override;
    void keepDisplayOn(bool on) override;

    // The window that owns the tray icon, for the balloon.
    HWND trayWindow = nullptr;

private:
    UniqueHandle process_;  // the renderer started last; replaced by the next
};

}  // namespace lumora::win32
