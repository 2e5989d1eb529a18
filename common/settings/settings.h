// The shared settings record: twenty values both programs keep in the
// per-user store as text under the names "00" to "19".
//
// The renderer reads the first eight ("00"-"07") once per run, and with them
// "20", the volume of the show's sound effects, which it never writes (a
// missing "20" means the default); the front end reads the twenty. This
// header holds only the record and its defaults; the readers and writers
// live beside it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace lumora {

struct Settings {
    // Renderer values, "00" to "07".
    int32_t MaxFireworks = 10;
    int32_t SmokeSpan = 5;
    int32_t WindSpeed = 20;
    int32_t AmbientBrightness = 10;
    int32_t StarDensity = 20;
    int32_t LensFlareBrightness = 20;
    int32_t Weather = 1;
    int32_t Illumination = 1;
    // Front-end values, "08" to "19".
    int32_t BgmSource = 0;
    int32_t BgmCdTrack = 0;
    std::string BgmFile;
    std::array<int32_t, 3> AlarmEnabled{0, 0, 0};
    std::array<int32_t, 3> AlarmHour{0, 0, 0};
    std::array<int32_t, 3> AlarmMinute{0, 0, 0};
    // The sound effects' volume, "20": 0 (no sound at all) to 100.
    int32_t EffectsVolume = 70;
};

// The name index of EffectsVolume and its range; values outside it are
// clamped to the nearest end.
inline constexpr int kEffectsVolumeIndex = 20;
inline constexpr int32_t kEffectsVolumeMax = 100;
inline int32_t clampEffectsVolume(int32_t v) { return v < 0 ? 0 : (v > kEffectsVolumeMax ? kEffectsVolumeMax : v); }

}  // namespace lumora
