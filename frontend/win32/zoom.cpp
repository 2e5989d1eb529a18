// The dialogs' zoom animation; see zoom.h.
#include "frontend/win32/zoom.h"

namespace lumora::win32 {

namespace {
int16_t points[kRememberedPointSlots][2] = {};

bool validSlot(int slot) { return slot >= 0 && slot < kRememberedPointSlots; }

void animate(HWND window, int slot, bool opening) {
    if (!validSlot(slot)) return;
    RECT windowRect{};
    if (!GetWindowRect(window, &windowRect)) return;
    const POINT p = rememberedPoint(slot);
    const RECT point{p.x, p.y, p.x, p.y};
    if (opening) DrawAnimatedRects(window, IDANI_CAPTION, &point, &windowRect);
    else DrawAnimatedRects(window, IDANI_CAPTION, &windowRect, &point);
}
}  // namespace

void rememberCursor(int slot) {
    if (!validSlot(slot)) return;
    POINT cursor{};
    if (!GetCursorPos(&cursor)) cursor = {0, 0};
    // Kept as 16-bit integers; screen coordinates fit.
    points[slot][0] = static_cast<int16_t>(cursor.x);
    points[slot][1] = static_cast<int16_t>(cursor.y);
}

POINT rememberedPoint(int slot) {
    if (!validSlot(slot)) return {0, 0};
    return {points[slot][0], points[slot][1]};
}

void ZoomOpen(HWND window, int slot) { animate(window, slot, true); }
void ZoomClose(HWND window, int slot) { animate(window, slot, false); }

}  // namespace lumora::win32
