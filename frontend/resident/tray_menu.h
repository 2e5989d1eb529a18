// The tray icon's menu: its entries and captions, and when it opens.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lumora {

struct MenuEntry {
    const char* name;     // m_Flarix, m_Sep1, ...
    const char* caption;  // UTF-8; "-" is a separator
};

// m_Popup's entries in order. Besides the show, the settings, the help page
// and the end: two check entries, the firework sounds and starting at logon.
extern const MenuEntry kPopupMenu[9];

// The firework sounds' volume, the settings value "20" (EffectsVolume): the
// menu's "効果音" entry is checked while the renderer would read it above 0
// (a missing value is the default), and choosing the entry writes "0" or
// the default.
bool effectsSoundOn(const std::optional<std::string>& stored);
std::string effectsValueWhenChosen(bool soundOn);

constexpr uint32_t kTrayCallbackMessage = 0x200;  // the icon's callback message
constexpr uint32_t kRightButtonUp = 0x205;

// The menu opens on a right-button release over the icon, and only while the
// settings dialog is not open.
inline bool shouldOpenTrayMenu(bool trayActive, uint32_t mouseMessage) {
    return trayActive && mouseMessage == kRightButtonUp;
}

// The help page that lies beside the programs, opened by m_URL with the
// user's browser, and what is said when it is missing.
extern const char* const kHelpPageFile;
extern const char* const kHelpPageMissingText;

}  // namespace lumora
