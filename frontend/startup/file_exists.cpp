// FileExists; see file_exists.h.
#include "frontend/startup/file_exists.h"

#include <filesystem>
#include <fstream>

namespace lumora {

std::string fileExistsPath(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path.substr(0, path.size() - 1);
    return path;
}

bool FileExists(const std::string& path, const std::function<bool(const std::string&)>& openForReading) {
    const std::string p = fileExistsPath(path);
    if (p.empty()) return false;
    return openForReading(p);
}

bool openableForReading(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::path(path), ec)) return false;
    std::ifstream f(path, std::ios::binary);
    return f.is_open();
}

}  // namespace lumora
