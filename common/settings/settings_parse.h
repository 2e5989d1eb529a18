// Reading the shared settings from their text forms. Both programs use this
// module: the renderer's reader of "00"-"07" and the front end's conversion
// rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "common/settings/settings.h"

namespace lumora {

// The renderer's number: white space skipped, an optional sign, digits up to
// the first non-digit, within `length` bytes (no terminator needed); no
// digits gives 0; the value saturates at the 32-bit limits.
int32_t parseRendererValue(const char* text, std::size_t length);

// The two-digit value name of a field index, "00".."19".
std::string settingValueName(int index);

// The renderer's load: the defaults, then each of "00".."07" that `read`
// finds (returning its text) replaces its field; "20", read the same way and
// clamped to 0..100, replaces EffectsVolume.
Settings loadRendererSettings(const std::function<bool(const std::string& name, std::string& text)>& read);

}  // namespace lumora
