// Own folder, renderer path and the wide open test; see program_files.h.
#include "frontend/win32/program_files.h"

#include <windows.h>

#include <vector>

#include "frontend/startup/file_exists.h"
#include "common/win32/handles.h"
#include "common/win32/wide_text.h"

namespace lumora::win32 {

namespace {
constexpr wchar_t kRendererFileName[] = L"\\Lumora.dll";
}

std::wstring ownFolder() {
    const std::wstring path = ownProgramPath();
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring ownProgramPath() {
    // GetModuleFileNameW truncates silently when the buffer is short (the
    // result equals the size): grow until the whole path fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) return {};
        if (length < size) return std::wstring(buffer.data(), length);
        if (buffer.size() >= 65536) return {};  // longer than any Windows path
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring rendererPath() { return ownFolder() + kRendererFileName; }

bool openableForReadingW(const std::wstring& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // Opened as a reader that lets others read and write beside it: only a
    // holder that denies reading makes this fail.
    const HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    UniqueHandle file(opened);  // closed again at once
    return true;
}

bool fileExistsUtf8(const std::string& path) {
    return FileExists(path, [](const std::string& p) { return openableForReadingW(widen(p)); });
}

}  // namespace lumora::win32
