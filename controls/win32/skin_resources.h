// The skinned controls' artwork as the running program holds it: the
// bitmap resources (controls/art/control_art.rc, linked into each program
// that hosts the controls) read through the same portable reader the native
// tools use, so a window paints exactly the pixels the native painter does.
#pragma once

#include <windows.h>

#include "controls/paint/skin.h"

namespace lumora::win32 {

// The skin of `module`'s bitmap resources, read once on first use and kept
// for the life of the program (controls paint from it on the UI thread).
// A bitmap missing from the module is absent from the skin.
const Skin& controlSkin(HINSTANCE module = nullptr);

}  // namespace lumora::win32
