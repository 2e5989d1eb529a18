// Argument parsing for the headless show tools; see show_args.h.
#include "renderer/headless/show_args.h"

#include <cerrno>
#include <cstdlib>

#include "renderer/headless/trace.h"

namespace lumora {

bool parseInteger(const std::string& text, long long lo, long long hi, long long& out) {
    if (text.empty() || text.size() > 20) return false;
    const std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size()) return false;
    for (std::size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9') return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
    out = v;
    return true;
}

namespace {
// Builds the message piece by piece (GCC 12 warns, wrongly, on chains of
// string concatenation here).
bool fail(std::string& error, const char* a, const std::string& b, const char* c) {
    error.clear();
    error.append(a);
    error.append(b);
    error.append(c);
    return false;
}
}  // namespace

bool parseShowArgs(int argc, char** argv, const std::map<std::string, bool>& extraOptions, ShowArgs& out,
                   std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto extra = extraOptions.find(arg);
        const bool known = arg == "--seed" || arg == "--frames" || arg == "--ms" || arg == "--set";
        if (!known && extra == extraOptions.end()) {
            return fail(error, "unknown argument '", arg, "'");
        }
        if (extra != extraOptions.end() && !extra->second) {  // a flag
            out.extra[arg].assign(1, '1');
            continue;
        }
        if (i + 1 >= argc) {
            return fail(error, "", arg, " needs a value");
        }
        const std::string value = argv[++i];
        long long v = 0;
        if (arg == "--seed") {
            if (!parseInteger(value, 0, 4294967295LL, v)) return fail(error, "bad seed '", value, "'");
            out.seed = static_cast<uint32_t>(v);
        } else if (arg == "--frames") {
            if (!parseInteger(value, 0, 2147483647LL, out.frames)) return fail(error, "bad frame count '", value, "'");
        } else if (arg == "--ms") {
            if (!parseInteger(value, 0, 1000000LL, out.ms)) return fail(error, "bad tick interval '", value, "'");
        } else if (arg == "--set") {
            const std::size_t eq = value.find('=');
            if (eq == std::string::npos) return fail(error, "--set needs NAME=VALUE, got '", value, "'");
            if (!parseInteger(value.substr(eq + 1), -2147483648LL, 2147483647LL, v))
                return fail(error, "bad value in '", value, "'");
            if (!setRendererSetting(out.settings, value.substr(0, eq), static_cast<int32_t>(v)))
                return fail(error, "unknown setting '", value.substr(0, eq), "'");
        } else {
            out.extra[arg] = value;
        }
    }
    return true;
}

}  // namespace lumora
