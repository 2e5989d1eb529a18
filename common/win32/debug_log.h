// The debug-log line of our Windows programs: set-up failures (and what the
// black-box tests look for) are written to the debugger's output
// (OutputDebugString) and nowhere else, so whatever fails, the show stays
// silent to the user. The lines are ASCII and go through the ANSI
// call, which Wine also prints on its debugstr channel
// (WINEDEBUG=warn+debugstr); it drops the wide call's text there.
#pragma once

#include <windows.h>

#include <string>

namespace lumora::win32 {

// "Lumora: <what>".
inline void logLine(const std::string& what) { OutputDebugStringA(("Lumora: " + what + "\n").c_str()); }

// "Lumora: <what> failed (error <GetLastError>)".
inline void logFailure(const char* what) {
    const DWORD error = GetLastError();
    logLine(std::string(what) + " failed (error " + std::to_string(error) + ")");
}

}  // namespace lumora::win32
