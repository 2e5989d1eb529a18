// The per-user settings store as both programs' readers see it: read one
// value's text, write one value's text. The registry store (Windows) and the text file store
// (Linux, tests) implement it; the front end's rules are written against it.
#pragma once

#include <string>

namespace lumora {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The value's text; false when the store or the value does not exist.
    virtual bool readValue(const std::string& name, std::string& text) = 0;
    // Stores the text under the name, creating the store when needed.
    virtual bool writeValue(const std::string& name, const std::string& text) = 0;
};

// Adapts any class with read(name, text) and write(name, text).
template <class Backend>
class StoreAdapter : public SettingsStore {
public:
    explicit StoreAdapter(Backend& backend) : backend_(backend) {}
    bool readValue(const std::string& name, std::string& text) override { return backend_.read(name, text); }
    bool writeValue(const std::string& name, const std::string& text) override { return backend_.write(name, text); }

private:
    Backend& backend_;
};

}  // namespace lumora
