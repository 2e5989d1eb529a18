// Starting at logon: the tray menu's check entry "Windows の起動時に開始"
// over the per-user Run value "Lumora". The entry is checked when that value
// names this program (compared without surrounding quotes, ignoring case and
// any arguments) and the system has not disabled it; Task Manager disables a
// start-up entry without touching the Run key, in a StartupApproved value
// whose first byte is odd, and that choice is the user's: it is never
// overwritten, only explained.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumora {

enum class StartupState {
    On,                 // checked
    Off,                // unchecked: no value, or one naming another copy
    DisabledBySystem,   // unchecked: Task Manager turned it off
};

// `runValue`: the Run value's text, if present; `approved`: the bytes of the
// StartupApproved value, if present; `programPath`: this program's path.
StartupState startupState(const std::optional<std::string>& runValue,
                          const std::optional<std::vector<uint8_t>>& approved, const std::string& programPath);

// Whether a Run value's command names `programPath`.
bool runValueNamesProgram(const std::string& runValue, const std::string& programPath);

enum class StartupAction {
    WriteRunValue,     // the program's quoted path (an older copy's path is replaced)
    DeleteRunValue,
    ExplainDisabled,   // a message; nothing is written
};
StartupAction startupChosen(StartupState state);

// The Run value's text for `programPath`.
std::string runValueFor(const std::string& programPath);

inline constexpr char kStartupDisabledText[] =
    "Windows の起動時の開始は、タスク マネージャーの [スタートアップ] で無効にされています。そこで有効にしてください。";

}  // namespace lumora
