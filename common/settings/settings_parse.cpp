// Settings text forms; see settings_parse.h.
#include "common/settings/settings_parse.h"

namespace lumora {

int32_t parseRendererValue(const char* text, std::size_t length) {
    std::size_t i = 0;
    while (i < length && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\v' ||
                          text[i] == '\f' || text[i] == '\r'))
        ++i;
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) value = limit;  // saturate, and keep reading the digits
    }
    return static_cast<int32_t>(negative ? -value : value);
}

std::string settingValueName(int index) {
    return std::string{static_cast<char>('0' + index / 10), static_cast<char>('0' + index % 10)};
}

Settings loadRendererSettings(const std::function<bool(const std::string& name, std::string& text)>& read) {
    Settings s;  // the eight defaults
    int32_t* fields[8] = {&s.MaxFireworks,        &s.SmokeSpan, &s.WindSpeed, &s.AmbientBrightness, &s.StarDensity,
                          &s.LensFlareBrightness, &s.Weather,   &s.Illumination};
    for (int i = 0; i < 8; ++i) {
        std::string text;
        if (read(settingValueName(i), text)) *fields[i] = parseRendererValue(text.data(), text.size());
    }
    std::string text;
    if (read(settingValueName(kEffectsVolumeIndex), text))
        s.EffectsVolume = clampEffectsVolume(parseRendererValue(text.data(), text.size()));
    return s;
}

}  // namespace lumora
