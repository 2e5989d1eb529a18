// The front end's settings load; see read_settings.h.
#include "common/settings/read_settings.h"

#include "common/settings/settings_parse.h"

namespace lumora {

std::string halfWidthNumberText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        // U+FF00..U+FF3F are EF BC 80..BF in UTF-8.
        if (i + 2 < text.size() && static_cast<unsigned char>(text[i]) == 0xEF &&
            static_cast<unsigned char>(text[i + 1]) == 0xBC) {
            const unsigned char last = static_cast<unsigned char>(text[i + 2]);
            char ascii = 0;
            if (last >= 0x90 && last <= 0x99) ascii = static_cast<char>('0' + (last - 0x90));
            else if (last == 0x8B) ascii = '+';
            else if (last == 0x8D) ascii = '-';
            else if (last == 0x8E) ascii = '.';
            if (ascii) {
                out.push_back(ascii);
                i += 2;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

Settings zeroSettings() {
    Settings s;
    s.MaxFireworks = s.SmokeSpan = s.WindSpeed = s.AmbientBrightness = 0;
    s.StarDensity = s.LensFlareBrightness = s.Weather = s.Illumination = 0;
    return s;
}

const char* const kRendererDefaults[8] = {"10", "5", "20", "10", "20", "20", "1", "1"};

SettingNumber parseSettingNumber(const std::string& text, Rounding rounding) {
    SettingNumber out;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Whole part, held to a bound far above 16 bits so long texts cannot overflow.
    int64_t whole = 0;
    int digits = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        whole = whole * 10 + (text[i] - '0');
        if (whole > 1000000) whole = 1000000;
    }
    // Fraction: only its first digit and whether anything non-zero follows.
    int firstFraction = -1;
    bool restNonZero = false;
    if (i < n && text[i] == '.') {
        ++i;
        for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
            if (firstFraction < 0) firstFraction = text[i] - '0';
            else if (text[i] != '0') restNonZero = true;
        }
    }
    while (i < n && text[i] == ' ') ++i;
    if (digits == 0 || i != n) return out;

    out.isNumber = true;
    out.negative = negative;
    out.whole = whole;
    out.fractionNonZero = firstFraction > 0 || restNonZero;
    int64_t magnitude = whole;
    if (rounding == Rounding::HalfToEven) {
        if (firstFraction > 5 || (firstFraction == 5 && restNonZero)) ++magnitude;
        else if (firstFraction == 5 && (whole % 2) == 1) ++magnitude;  // a half goes to the even neighbour
    } else if (negative && out.fractionNonZero) {
        ++magnitude;  // rounded down: -1.5 gives -2
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value >= -32768 && value <= 32767) out.value = static_cast<int16_t>(value);
    return out;
}

bool SettingNumber::outsideZeroTo(int64_t hi) const {
    if (negative && (whole > 0 || fractionNonZero)) return true;  // "-0" is no less than 0
    return whole > hi || (whole == hi && fractionNonZero);
}

std::optional<int16_t> convertSettingNumber(const std::string& text, Rounding rounding) {
    return parseSettingNumber(text, rounding).value;
}

namespace {
int32_t* rendererField(Settings& s, int index) {
    int32_t* fields[8] = {&s.MaxFireworks,        &s.SmokeSpan, &s.WindSpeed, &s.AmbientBrightness, &s.StarDensity,
                          &s.LensFlareBrightness, &s.Weather,   &s.Illumination};
    return fields[index];
}

// A whole-number field of "08".."19": empty gives 0, a non-number keeps it.
void readWhole(SettingsStore& store, int index, int32_t& field) {
    std::string text;
    if (!store.readValue(settingValueName(index), text) || text.empty()) {
        field = 0;
        return;
    }
    if (const auto v = convertSettingNumber(text, Rounding::Down)) field = *v;
}
}  // namespace

void ReadSettings(Settings& live, SettingsStore& store, const std::function<bool(const std::string&)>& fileExists) {
    for (int i = 0; i < 8; ++i) {
        std::string text;
        const bool found = store.readValue(settingValueName(i), text);
        if (found && !text.empty()) {
            if (const auto v = convertSettingNumber(text, Rounding::HalfToEven)) *rendererField(live, i) = *v;
        } else {
            // A missing value gets its default, in the store and live alike
            // (live even if the write fails).
            store.writeValue(settingValueName(i), kRendererDefaults[i]);
            *rendererField(live, i) = *convertSettingNumber(kRendererDefaults[i], Rounding::HalfToEven);
        }
    }
    readWhole(store, 8, live.BgmSource);
    readWhole(store, 9, live.BgmCdTrack);

    std::string file;
    if (!store.readValue(settingValueName(10), file)) file.clear();
    live.BgmFile = file;
    // A music file that no longer exists is dropped from the live settings
    // only; the store keeps its values until the dialog saves.
    if (file.empty() || !fileExists(file)) {
        live.BgmFile.clear();
        if (live.BgmSource == 2) live.BgmSource = 0;
    }

    for (int slot = 0; slot < 3; ++slot) readWhole(store, 11 + slot, live.AlarmEnabled[static_cast<std::size_t>(slot)]);
    for (int slot = 0; slot < 3; ++slot) readWhole(store, 14 + slot, live.AlarmHour[static_cast<std::size_t>(slot)]);
    for (int slot = 0; slot < 3; ++slot) readWhole(store, 17 + slot, live.AlarmMinute[static_cast<std::size_t>(slot)]);
}

bool WriteSetting(SettingsStore& store, int index, const std::string& text) {
    return store.writeValue(settingValueName(index), text);
}

std::string settingText(const Settings& s, int index) {
    if (index < 0 || index > 19) return {};
    if (index < 8) return std::to_string(*rendererField(const_cast<Settings&>(s), index));
    switch (index) {
    case 8: return std::to_string(s.BgmSource);
    case 9: return std::to_string(s.BgmCdTrack);
    case 10: return s.BgmFile;
    default: break;
    }
    const std::size_t slot = static_cast<std::size_t>((index - 11) % 3);
    if (index <= 13) return std::to_string(s.AlarmEnabled[slot]);
    if (index <= 16) return std::to_string(s.AlarmHour[slot]);
    return std::to_string(s.AlarmMinute[slot]);
}

}  // namespace lumora
