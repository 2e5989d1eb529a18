// Resource identifiers of the renderer program, shared by lumora.rc and the
// code. No other declarations: the resource compiler reads this file too.
#pragma once

// The class icon: a group with one 32 x 32, 16-colour image.
#define LUMORA_ICON_ID 7002
