// The per-user settings store kept as a text file, for platforms without a
// registry. One `NAME=VALUE` a line, UTF-8:
//
//   # comment            ; comment too          (blank lines are ignored)
//   00=10
//    03 = 30             name "03", value " 30" (the value is kept as written)
//
// Blank lines and lines whose first non-blank character is '#' or ';' are
// comments; a line without '=' is ignored. White space around the name is
// trimmed, the value is kept as written except for the line's end (LF or
// CR LF). The first definition of a name wins. A missing file reads as empty.
//
// Any file is safe to read: lines are read in bounded pieces, so a huge line
// or binary junk costs no more memory than kMaxLineBytes; only a name whose
// '=' lies within the first kMaxLineBytes of its line counts, and a longer
// value is cut there. Writing copies the file through a temporary one beside
// it, replacing the name's line (or appending one) and keeping every other
// byte, comments and unknown names included; the folder must exist.
//
// Portable C++: no platform calls. It knows nothing of the settings record;
// the readers in settings_parse.h give meaning to the text.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace lumora {

class TextFileStore {
public:
    static constexpr std::size_t kMaxLineBytes = 64 * 1024;

    explicit TextFileStore(std::filesystem::path path) : path_(std::move(path)) {}

    // The value of `name`, true when a definition was found.
    bool read(const std::string& name, std::string& text) const;

    // Sets `name` to `text`, true on success. Refused (false, file untouched)
    // for a name that could not be read back (empty, blank at either end,
    // holding '=' or a line break, starting with '#' or ';') and for a text
    // holding a line break; also when the path is not a plain file or the
    // file cannot be rewritten.
    bool write(const std::string& name, const std::string& text);

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace lumora
