// Starting at logon; see startup_entry.h.
#include "frontend/resident/startup_entry.h"

namespace lumora {

namespace {

// ASCII letters folded; other bytes (UTF-8 of any script) compared as they are.
bool sameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::string trimmed(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool runValueNamesProgram(const std::string& runValue, const std::string& programPath) {
    const std::string value = trimmed(runValue);
    if (value.empty() || programPath.empty()) return false;
    if (value.front() == '"') {
        const std::size_t close = value.find('"', 1);
        const std::string path = value.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        return sameIgnoringCase(path, programPath);
    }
    // Unquoted: the whole text, or the path followed by arguments.
    if (sameIgnoringCase(value, programPath)) return true;
    return value.size() > programPath.size() && value[programPath.size()] == ' ' &&
           sameIgnoringCase(value.substr(0, programPath.size()), programPath);
}

StartupState startupState(const std::optional<std::string>& runValue,
                          const std::optional<std::vector<uint8_t>>& approved, const std::string& programPath) {
    if (approved && !approved->empty() && ((*approved)[0] & 1) != 0) return StartupState::DisabledBySystem;
    if (runValue && runValueNamesProgram(*runValue, programPath)) return StartupState::On;
    return StartupState::Off;
}

StartupAction startupChosen(StartupState state) {
    switch (state) {
    case StartupState::On: return StartupAction::DeleteRunValue;
    case StartupState::Off: return StartupAction::WriteRunValue;
    case StartupState::DisabledBySystem: return StartupAction::ExplainDisabled;
    }
    return StartupAction::ExplainDisabled;
}

std::string runValueFor(const std::string& programPath) { return "\"" + programPath + "\""; }

}  // namespace lumora
