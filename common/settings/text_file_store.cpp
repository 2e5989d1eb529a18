// The settings text file; see text_file_store.h.
#include "common/settings/text_file_store.h"

#include <cstdint>
#include <exception>
#include <fstream>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace lumora {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Hands out a file's lines in pieces of at most kMaxLineBytes, each piece
// ending after a '\n' at the latest, and counts the bytes it has read.
class LineReader {
public:
    explicit LineReader(std::streambuf* source) : source_(source) {}

    // The next piece; false when the file is used up.
    bool next(std::string& piece) {
        piece.clear();
        if (!source_) return false;
        while (piece.size() < TextFileStore::kMaxLineBytes) {
            const int c = source_->sbumpc();
            if (c == std::char_traits<char>::eof()) break;
            piece.push_back(static_cast<char>(c));
            if (c == '\n') break;
        }
        bytes_ += piece.size();
        return !piece.empty();
    }

    // Whether `piece`, just read, is the last of its line.
    bool endsLine(const std::string& piece) {
        return piece.back() == '\n' || piece.size() < TextFileStore::kMaxLineBytes ||
               source_->sgetc() == std::char_traits<char>::eof();
    }

    std::uintmax_t bytes() const { return bytes_; }

private:
    std::streambuf* source_;
    std::uintmax_t bytes_ = 0;
};

// The line end a line's last piece carries: "\r\n", "\n", or none at the end
// of the file.
std::string_view lineEnd(std::string_view piece) {
    if (piece.ends_with("\r\n")) return "\r\n";
    if (piece.ends_with('\n')) return "\n";
    return {};
}

// The text of a line's first piece to parse: the line end (LF, then one CR)
// removed when the piece holds the whole line, and the byte-order mark some
// editors put before the first line.
std::string_view lineText(std::string_view piece, bool wholeLine, bool firstLine) {
    if (wholeLine) {
        if (piece.ends_with('\n')) piece.remove_suffix(1);
        if (piece.ends_with('\r')) piece.remove_suffix(1);
    }
    if (firstLine && piece.starts_with(kByteOrderMark)) piece.remove_prefix(kByteOrderMark.size());
    return piece;
}

// Splits a line into its trimmed name and its value; false for a blank line,
// a comment, a line without '=' and one with nothing before the '='.
bool splitDefinition(std::string_view line, std::string_view& name, std::string_view& value) {
    const std::string_view body = trim(line);
    if (body.empty() || body.front() == '#' || body.front() == ';') return false;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    name = trim(line.substr(0, equals));
    value = line.substr(equals + 1);
    return !name.empty();
}

bool writableName(const std::string& name) {
    return !name.empty() && name.find_first_of("=\r\n") == std::string::npos && !isBlank(name.front()) &&
           !isBlank(name.back()) && name.front() != '#' && name.front() != ';' &&
           !std::string_view(name).starts_with(kByteOrderMark);
}

// A file to read, or none. A missing path reads as an empty file; a path that
// is not a plain file (a folder, a device, a pipe that would block) gives
// false and is never opened.
bool openForReading(const fs::path& path, std::ifstream& in, bool& exists, std::uintmax_t& size) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    exists = fs::exists(status);
    if (!exists) return status.type() == fs::file_type::not_found;
    if (!fs::is_regular_file(status)) return false;
    size = fs::file_size(path, error);
    if (error) return false;
    in.open(path, std::ios::binary);
    return in.is_open();
}

}  // namespace

bool TextFileStore::read(const std::string& name, std::string& text) const {
    try {
        std::ifstream in;
        bool exists = false;
        std::uintmax_t size = 0;
        if (!openForReading(path_, in, exists, size) || !exists) return false;
        LineReader reader(in.rdbuf());
        std::string piece, rest;
        for (bool first = true; reader.next(piece); first = false) {
            const bool whole = reader.endsLine(piece);
            if (!whole)
                while (reader.next(rest) && !reader.endsLine(rest)) {
                }
            std::string_view key, value;
            if (splitDefinition(lineText(piece, whole, first), key, value) && key == name) {
                text.assign(value);
                return true;
            }
        }
        return false;
    } catch (const std::exception&) {  // out of memory, or a path the platform cannot convert
        return false;
    }
}

bool TextFileStore::write(const std::string& name, const std::string& text) {
    if (!writableName(name) || text.find_first_of("\r\n") != std::string::npos) return false;
    fs::path temporary;
    try {
        // Through a link to the file it names, so the link survives the rename.
        fs::path target = path_;
        std::error_code error;
        if (fs::is_symlink(target, error)) {
            fs::path resolved = fs::canonical(target, error);
            if (!error) target = std::move(resolved);
        }
        std::ifstream in;
        bool exists = false;
        std::uintmax_t size = 0;
        if (!openForReading(target, in, exists, size)) return false;

        temporary = target;
        temporary += ".tmp";
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;

        const std::string definition = name + "=" + text;
        std::string_view newline = "\n";  // the file's own line end once one is seen
        bool newlineSeen = false;
        bool atLineStart = true;  // the output so far ends with a line end
        bool replaced = false;
        LineReader reader(exists ? in.rdbuf() : nullptr);
        std::string piece;
        for (bool first = true; reader.next(piece); first = false) {
            bool whole = reader.endsLine(piece);
            std::string_view key, value;
            const bool ours = splitDefinition(lineText(piece, whole, first), key, value) && key == name;
            if (first && ours && piece.starts_with(kByteOrderMark)) out << kByteOrderMark;
            if (!ours) out << piece;
            while (!whole && reader.next(piece)) {  // the rest of a long line
                whole = reader.endsLine(piece);
                if (!ours) out << piece;
            }
            const std::string_view end = lineEnd(piece);
            if (ours) {
                if (replaced) continue;  // a later definition is dropped: the first one wins on reading
                out << definition << end;
                replaced = true;
            }
            atLineStart = !end.empty();
            if (!newlineSeen && !end.empty()) {
                newline = end;
                newlineSeen = true;
            }
        }
        if (!replaced) {
            if (!atLineStart) out << newline;
            out << definition << newline;
        }
        out.close();
        // A short read (an I/O error, or the file changing under us) must not
        // cut the file down.
        if (!out || reader.bytes() != size) {
            fs::remove(temporary, error);
            return false;
        }
        in.close();  // Windows will not replace an open file
        fs::rename(temporary, target, error);
        if (error) {
            fs::remove(temporary, error);
            return false;
        }
        return true;
    } catch (const std::exception&) {
        std::error_code ignored;
        if (!temporary.empty()) fs::remove(temporary, ignored);
        return false;
    }
}

}  // namespace lumora
