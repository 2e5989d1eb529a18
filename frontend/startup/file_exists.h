// FileExists: whether a file can be opened for reading, after dropping one
// trailing backslash. Folders and the empty path give false.
#pragma once

#include <functional>
#include <string>

namespace lumora {

// The path FileExists tests: one trailing "\" removed (only one).
std::string fileExistsPath(const std::string& path);

// `openForReading` is the platform's test of a plain file that opens for
// reading (it must give false for a folder).
bool FileExists(const std::string& path, const std::function<bool(const std::string&)>& openForReading);

// A portable `openForReading` over the C++ library (paths as the platform's
// narrow strings; the Windows program passes its own wide-path test).
bool openableForReading(const std::string& path);

}  // namespace lumora
