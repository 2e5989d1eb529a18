// Tray menu entries; see tray_menu.h.
#include "frontend/resident/tray_menu.h"

#include "common/settings/settings_parse.h"

namespace lumora {

const MenuEntry kPopupMenu[9] = {
    {"m_Flarix", "Lumora"},
    {"m_Sound", "効果音"},
    {"m_Sep1", "-"},
    {"m_Set", "各種設定..."},
    {"m_Sep2", "-"},
    {"m_URL", "ホームページ"},
    {"m_Startup", "Windows の起動時に開始"},
    {"m_Sep4", "-"},
    {"m_Exit", "終了"},
};

bool effectsSoundOn(const std::optional<std::string>& stored) {
    // Read as the renderer reads it; a missing value is the default.
    Settings read = loadRendererSettings([&](const std::string& name, std::string& text) {
        if (name != settingValueName(kEffectsVolumeIndex) || !stored) return false;
        text = *stored;
        return true;
    });
    return read.EffectsVolume > 0;
}

std::string effectsValueWhenChosen(bool soundOn) { return soundOn ? "0" : std::to_string(Settings{}.EffectsVolume); }

const char* const kHelpPageFile = "Lumora.html";
const char* const kHelpPageMissingText = "ヘルプ ファイル Lumora.html が見つかりません。";

}  // namespace lumora
