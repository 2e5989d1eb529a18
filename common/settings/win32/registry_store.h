// The settings store of the Windows front end: one registry key under
// HKEY_CURRENT_USER holding every setting as a REG_SZ value. Texts are UTF-8
// on our side and UTF-16 in the registry, so a music path in any script
// comes back as it went in. Which values exist and what they mean is the
// settings code's business, not this file's.
#pragma once

#include <windows.h>

#include <string>

#include "common/settings/settings_store.h"

namespace lumora::win32 {

// The key both programs use (the renderer opens it with a trailing "\").
inline constexpr wchar_t kSettingsSubKey[] = L"Software\\VB and VBA Program Settings\\Kelvane\\Section";

class RegistryStore : public SettingsStore {
public:
    // `subKey` under HKEY_CURRENT_USER; tests pass a scratch key.
    explicit RegistryStore(std::wstring subKey = kSettingsSubKey) : subKey_(std::move(subKey)) {}

    // False when the key or the value is missing, or the value is not a
    // string (REG_SZ or REG_EXPAND_SZ, taken as it is).
    bool readValue(const std::string& name, std::string& text) override;
    // Creates the key when needed; stores REG_SZ.
    bool writeValue(const std::string& name, const std::string& text) override;

private:
    std::wstring subKey_;
};

// One string value of an open key, of any length, read whole even when
// another program changes its size between the size query and the read.
// The text ends at the first NUL or at the end of the data, whichever comes
// first (a value stored without its terminator is read all the same).
bool queryStringValue(HKEY key, const std::wstring& name, std::wstring& text);

}  // namespace lumora::win32
