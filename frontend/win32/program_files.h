// Where the front end is and which files it can read: its own folder, the
// renderer beside it, and the Windows side of FileExists. Paths are UTF-16
// here; the settings code hands us UTF-8.
#pragma once

#include <string>

namespace lumora::win32 {

// The folder of the running program file, without a trailing "\".
std::wstring ownFolder();
// The running program file's full path.
std::wstring ownProgramPath();

// "<own folder>\Lumora.dll", built afresh at each call.
std::wstring rendererPath();

// Whether `path` names a plain file that opens for reading now: false for a
// folder, a missing file, or one another program holds against reading.
bool openableForReadingW(const std::wstring& path);

// FileExists over the wide test, for a UTF-8 path (one trailing "\" is
// dropped first).
bool fileExistsUtf8(const std::string& path);

}  // namespace lumora::win32
