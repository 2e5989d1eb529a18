// Command-line arguments shared by the headless show tools (lumora-trace,
// lumora-render): --seed S, --frames N, --ms M, --set NAME=VALUE, plus any
// extra options a tool declares.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "common/settings/settings.h"

namespace lumora {

struct ShowArgs {
    uint32_t seed = 1;
    long long frames = 600;
    long long ms = 16;
    Settings settings;
    std::map<std::string, std::string> extra;  // values of the tool's own options
};

// A whole decimal number within [lo, hi], nothing else.
bool parseInteger(const std::string& text, long long lo, long long hi, long long& out);

// Parses argv. `extraOptions` names the tool's own options that take a value;
// `flags` those that take none (stored with the value "1"). On a bad argument
// returns false and sets `error` to a one-line reason.
bool parseShowArgs(int argc, char** argv, const std::map<std::string, bool>& extraOptions, ShowArgs& out,
                   std::string& error);

}  // namespace lumora
