// The front end's settings load and its conversion rules.
//
// A number is: optional spaces, an optional sign, digits with an optional
// fractional part (at least one digit in all), optional spaces — nothing else.
// "00"-"07" round half to even; "08" and above take the whole-number part
// rounded down; either way the result must fit in 16 bits, otherwise the
// field keeps its value.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/settings/settings.h"
#include "common/settings/settings_store.h"

namespace lumora {

enum class Rounding { HalfToEven, Down };

// A text read by the number grammar: whether it is a number at all, its
// sign, whole part (held at 1000000 and above, so long texts cannot
// overflow) and whether its fraction is non-zero, and its rounded 16-bit
// value when that fits.
struct SettingNumber {
    bool isNumber = false;
    bool negative = false;
    int64_t whole = 0;
    bool fractionNonZero = false;
    std::optional<int16_t> value;

    // Whether the number lies outside 0..hi, compared exactly: 23.5 lies
    // above 23, -0.1 below 0.
    bool outsideZeroTo(int64_t hi) const;
};
SettingNumber parseSettingNumber(const std::string& text, Rounding rounding);

// What a user typed with the Japanese input method on, read as the number
// grammar reads ASCII: full-width digits, plus, minus and full stop (U+FF10
// to U+FF19, U+FF0B, U+FF0D, U+FF0E) become their ASCII forms; every other
// character stays as it is. The dialog's time and track boxes go through
// this before the grammar, so "７" is 7 and "３０．５" is 30.5.
std::string halfWidthNumberText(const std::string& text);

// The 16-bit value of a number text, or nothing when the text is not a
// number or the result does not fit.
std::optional<int16_t> convertSettingNumber(const std::string& text, Rounding rounding);

// The front end's live settings before the first load: every field 0 or empty.
Settings zeroSettings();

// Default texts of "00".."07".
extern const char* const kRendererDefaults[8];

// Loads every field into `live` from the store, writing the default of each
// missing value among "00".."07"; drops a music file that cannot be opened
// (`fileExists`) and falls back from file music to none.
void ReadSettings(Settings& live, SettingsStore& store, const std::function<bool(const std::string&)>& fileExists);

// Writes one value (the settings dialog's OK writes all twenty this way).
bool WriteSetting(SettingsStore& store, int index, const std::string& text);

// The twenty texts of a record, "00".."19", as the dialog's OK stores them.
std::string settingText(const Settings& s, int index);

}  // namespace lumora
