// UTF-8 (our strings, settings and paths) to UTF-16 (every Windows call) and
// back.
// Malformed input never fails: an invalid UTF-8 sequence or an unpaired
// surrogate becomes U+FFFD, as the system's converter does.
#pragma once

#include <string>
#include <string_view>

namespace lumora::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace lumora::win32
