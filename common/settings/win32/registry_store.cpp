// The registry settings store; see registry_store.h.
#include "common/settings/win32/registry_store.h"

#include <new>
#include <vector>

#include "common/win32/handles.h"
#include "common/win32/wide_text.h"

namespace lumora::win32 {

bool queryStringValue(HKEY key, const std::wstring& name, std::wstring& text) {
    // Ask for the size, then read into a buffer of that size. A writer may
    // make the value longer in between (ERROR_MORE_DATA): ask again. The
    // number of rounds is bounded so that a value rewritten without pause
    // cannot keep us here.
    for (int round = 0; round < 16; ++round) {
        DWORD type = 0;
        DWORD bytes = 0;
        LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes);
        if (status != ERROR_SUCCESS) return false;
        if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
        std::vector<wchar_t> buffer;
        try {
            // One spare character, so an unterminated value (or an odd byte
            // count) still leaves a NUL after the data.
            buffer.assign(bytes / sizeof(wchar_t) + 2, L'\0');
        } catch (const std::bad_alloc&) {
            return false;
        }
        DWORD got = bytes;
        status = RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) return false;
        if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
        // The value may also have shrunk: only `got` bytes are data.
        const std::size_t chars = got / sizeof(wchar_t);
        std::size_t length = 0;
        while (length < chars && buffer[length] != L'\0') ++length;
        text.assign(buffer.data(), length);
        return true;
    }
    return false;
}

bool RegistryStore::readValue(const std::string& name, std::string& text) {
    UniqueKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return false;
    std::wstring wide;
    if (!queryStringValue(key.get(), widen(name), wide)) return false;
    text = narrow(wide);
    return true;
}

bool RegistryStore::writeValue(const std::string& name, const std::string& text) {
    UniqueKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring wide = widen(text);
    // The size counts the terminator, as REG_SZ wants.
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    if (bytes > MAXDWORD) return false;
    return RegSetValueExW(key.get(), widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
}

}  // namespace lumora::win32
