// The opening and closing animation of the front end's dialogs (the start-up
// module's part): a window seems to grow out of a remembered screen point
// and shrink back into it. The points are kept as 16-bit pairs, one slot
// per dialog (slot 0: the settings dialog).
#pragma once

#include <windows.h>

#include <cstdint>

namespace lumora::win32 {

inline constexpr int kRememberedPointSlots = 1;

// Stores the cursor's position in `slot`, or (0, 0) when it cannot be read.
void rememberCursor(int slot);
POINT rememberedPoint(int slot);

// From the empty rectangle at the slot's point to the window's rectangle,
// and back. The system may show nothing (the animation is a no-op under
// some window managers); nothing else depends on it.
void ZoomOpen(HWND window, int slot);
void ZoomClose(HWND window, int slot);

}  // namespace lumora::win32
