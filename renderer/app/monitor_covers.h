// The other monitors during a show. The show itself fills the primary
// monitor; every other monitor gets a black cover window, so the desktop
// does not stay in view beside the fireworks and the tray menu cannot start
// a second show there. This file decides which rectangles get a cover and
// what a cover does with its input; the platform layer enumerates the
// monitors and owns the windows.
#pragma once

#include <cstdint>
#include <vector>

#include "renderer/app/saver_input.h"

namespace lumora {

// A rectangle in virtual-screen coordinates; right and bottom exclusive.
struct ScreenRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

class MonitorLayout {
public:
    virtual ~MonitorLayout() = default;
    // Every monitor of the desktop, in the system's order.
    virtual std::vector<ScreenRect> monitors() = 0;
};

// The rectangles to cover, in the layout's order: each monitor that has an
// area and does not overlap `show` (the primary monitor, where the show
// runs), each once. A mirrored or overlapping monitor gets no cover: a cover
// is top-most and would hide the show.
std::vector<ScreenRect> coverRects(MonitorLayout& layout, const ScreenRect& show);

// A cover's input rules, for the show's state: a mouse button or a system
// key asks the show to end exactly as on the show's own window (postClose
// then means: post the close to the show's window); the cursor stays hidden;
// task switching and the system's screen saver are swallowed as on the show;
// a close is ignored (only the show takes its covers away). The cover
// consumes what it acts on; the rest goes to the default handler.
SaverAction coverLayer(SaverState& show, SaverMessage message, uint64_t wParam);

}  // namespace lumora
