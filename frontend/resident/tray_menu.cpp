// Tray menu entries; see tray_menu.h.
#include "frontend/resident/tray_menu.h"

namespace lumora {

const MenuEntry kPopupMenu[7] = {
    {"m_Flarix", "Lumora"}, {"m_Sep1", "-"}, {"m_Set", "各種設定..."}, {"m_Sep2", "-"},
    {"m_URL", "ホームページ"}, {"m_Sep4", "-"}, {"m_Exit", "終了"},
};

const char* const kHelpPageFile = "Lumora.html";
const char* const kHelpPageMissingText = "ヘルプ ファイル Lumora.html が見つかりません。";

}  // namespace lumora
