// Resource identifiers of the front end program, shared by lumora_scr.rc and
// the code. No other declarations: the resource compiler reads this file too.
#pragma once

// The program's icon: one 32 x 32 image in 256 colours, made by
// tools/datagen/make_tray_icon.cpp. Also the notification-area icon.
#define LUMORA_SCR_ICON_ID 1
