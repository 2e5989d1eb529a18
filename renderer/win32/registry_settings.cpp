// The renderer's registry reader; see registry_settings.h.
//
// The values are ASCII digit strings under ASCII names, so the ANSI calls
// hand them over as the bytes the parser reads, with no conversion.
#include "renderer/win32/registry_settings.h"

#include <algorithm>
#include <string>

#include "common/settings/settings_parse.h"

namespace lumora::win32 {

namespace {

// An open key, closed on every way out.
class ScopedKey {
public:
    ScopedKey(HKEY root, const char* subKey) {
        if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    ~ScopedKey() {
        if (key_) RegCloseKey(key_);
    }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

bool readValue(HKEY key, const std::string& name, std::string& text) {
    // First the size, as the front end's readers always asked; a missing
    // value fails here.
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) return false;
    // Then the data, telling the registry the buffer's real size: a value
    // that does not fit fails with ERROR_MORE_DATA and keeps its default
    // instead of running past the buffer.
    char buffer[256];
    size = sizeof buffer;
    if (RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
        return false;
    // Only the bytes returned are parsed (a string's terminator among them
    // stops the digits; there may be none).
    text.assign(buffer, std::min<DWORD>(size, sizeof buffer));
    return true;
}

}  // namespace

Settings readRendererSettings(HKEY root, const char* subKey) {
    const ScopedKey key(root, subKey);
    return loadRendererSettings([&key](const std::string& name, std::string& text) {
        return key.get() && readValue(key.get(), name, text);
    });
}

Settings readRendererSettings() { return readRendererSettings(HKEY_CURRENT_USER, kSettingsKeyPath); }

}  // namespace lumora::win32
