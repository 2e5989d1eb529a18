// The XP scroll bar's colours: the thumb body's three tables (normal, hot,
// pressed; one colour per body row) for each scheme, and the grip's light
// and dark lines. Scheme 0 is blue, 1 olive green, any other value silver.
#pragma once

#include <array>
#include <cstdint>

namespace lumora {

inline constexpr int kThumbStates = 3;  // 0 normal, 1 hot, 2 pressed
inline constexpr int kThumbRows = 16;   // body rows 1 to 16, top to bottom

// ThumbColours[state][row], row 1..16 (entry 0 unused), as Windows colour
// values (0x00BBGGRR), exactly as the control's tables list them.
using ThumbColourTable = std::array<std::array<uint32_t, kThumbRows + 1>, kThumbStates>;

ThumbColourTable FillSchemeColours(int32_t scheme);

struct GripColours {
    uint32_t light, dark;  // 0x00RRGGBB
};
GripColours gripColours(int32_t scheme);

// Which scheme's artwork a ColorScheme value draws: 0, 1, or 2 (silver) for
// every other value, as the thumb's colours do.
constexpr int artScheme(int32_t colorScheme) { return colorScheme == 0 ? 0 : colorScheme == 1 ? 1 : 2; }

}  // namespace lumora
