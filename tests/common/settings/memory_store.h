// A settings store in memory for the front end's tests: it keeps every
// value's text, records the names written in order, and fails every write
// (failWrites) or the writes of one name (failing) when asked.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "common/settings/settings_store.h"

namespace lumora {

struct MemoryStore : SettingsStore {
    bool readValue(const std::string& name, std::string& text) override {
        const auto it = values.find(name);
        if (it == values.end()) return false;
        text = it->second;
        return true;
    }
    bool writeValue(const std::string& name, const std::string& text) override {
        written.push_back(name);
        if (failWrites || name == failing) return false;
        values[name] = text;
        return true;
    }
    std::map<std::string, std::string> values;
    std::vector<std::string> written;
    bool failWrites = false;
    std::string failing;
};

}  // namespace lumora
