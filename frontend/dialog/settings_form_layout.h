// The settings form `Lumora_M` as it is designed: every control's place in
// twips (15 to a pixel), its text, the level bars' design values, where the
// form goes on the screen, and the horizontal lines of its border. The
// window layer builds the form from these tables; tests check the form's
// rules against the same tables.
//
// Places inside the picture box `Pic_C` are relative to it (the picture box
// measures in pixels, so a place there is its twips ÷ 15); the form's own
// children (Pic_C, the plate sources and the three buttons) are placed in
// the form's client area. Nothing here draws or names a window.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "controls/property_bag.h"

namespace lumora {

inline constexpr int32_t kTwipsPerPixel = 15;

struct TwipsRect {
    int32_t left = 0, top = 0, width = 0, height = 0;  // twips; a width of 0: as wide as the text
};

// The same place in pixels (truncated, as the form places its controls).
struct PixelRect {
    int32_t left = 0, top = 0, width = 0, height = 0;
};
PixelRect toPixels(const TwipsRect& r);

inline constexpr char kSettingsFormCaption[] = "zireriri";

// The client area holds Pic_C and its 120-twip border all round.
inline constexpr int32_t kFormClientWidthTwips = 6150, kFormClientHeightTwips = 7440;
inline constexpr TwipsRect kPicC{120, 120, 5910, 7200};
// The plate sources, placed outside the visible area.
inline constexpr TwipsRect kImgT1{-3000, 0, 1425, 330}, kImgT2{-3000, 450, 1425, 330};
// The block copied from the plate sources for each heading plate, in pixels.
inline constexpr int32_t kPlateWidthPx = 95, kPlateHeightPx = 22;
// Img_1(0..2): where the plates of the music, fireworks and alarm sections go.
inline constexpr TwipsRect kPlateSlots[3] = {{420, 3420, 1425, 315}, {420, 480, 1425, 315}, {420, 5280, 1425, 315}};
// The section frames, border colour &HC0C0C0.
inline constexpr TwipsRect kSectionFrames[3] = {{300, 360, 5295, 2955}, {300, 3300, 5295, 1875}, {300, 5160, 5295, 1335}};
inline constexpr uint32_t kFrameColour = 0xC0C0C0;  // 0x00RRGGBB

// The six level bars HS(0..5) and what they show.
inline constexpr int kLevelCount = 6;
TwipsRect levelBarRect(int i);
struct LevelRange {
    int32_t min, max;
};
inline constexpr LevelRange kLevelRanges[kLevelCount] = {{1, 30}, {0, 30}, {0, 100}, {0, 30}, {0, 100}, {0, 100}};
// The bar's design values: Min and Max as tabled, small change 1, large
// change 10, as the form stores them for the bar to load.
PropertyBag levelBarProperties(int i);
// Restore defaults puts these on the bars.
inline constexpr int32_t kLevelDefaults[kLevelCount] = {10, 5, 20, 10, 20, 20};

// The picture radio choices: a 195-twip image and its label, both of which
// take the mouse.
enum class RadioGroup { Cloud, Illu, Bgm, Off, On };
struct RadioChoice {
    RadioGroup group;
    int index;
    TwipsRect image;
    TwipsRect label;
    const char* text;
};
std::span<const RadioChoice> radioChoices();

// Labels the form draws. Kinds: plain (left-aligned from its left), right
// (right-aligned to its right edge), heading (centred on a plate), number
// (lbl_HS: right-aligned, its text changes), file (lbl_Fname: a bordered box
// in window colours, its text changes).
enum class LabelKind { Plain, Right, Heading, Number, File };
struct FormLabel {
    LabelKind kind;
    int index;  // lbl_HS(index); 0 for the others
    TwipsRect rect;
    const char* text;
};
std::span<const FormLabel> formLabels();

// The combo boxes: BGM_Repeat, Com_h(0..2), Com_m(0..2).
enum class ComboKind { BgmRepeat, Hour, Minute };
TwipsRect comboRect(ComboKind kind, int slot);

inline constexpr TwipsRect kCmdBgm{1920, 4260, 435, 315};
inline constexpr TwipsRect kGifBanner{3660, 3420, 1800, 750};
// The form's buttons, in the form's client area.
enum class FormButton { Init, Set, Can };
struct ButtonPlace {
    FormButton button;
    TwipsRect rect;
    const char* caption;
};
inline constexpr ButtonPlace kFormButtons[3] = {{FormButton::Init, {2400, 6720, 1050, 315}, "初期設定"},
                                                {FormButton::Set, {3480, 6720, 1110, 315}, "設定"},
                                                {FormButton::Can, {4620, 6720, 1110, 315}, "ｷｬﾝｾﾙ"}};

// The controls that take the keyboard focus, in the dialog's tab order: the
// form's three buttons (they lie above the picture box), then the picture
// box's children as they are made: the bars, the track box, "...", and the
// alarm rows' hour and minute boxes.
enum class FocusStop : uint8_t {
    Init, Set, Can,
    Level0, Level1, Level2, Level3, Level4, Level5,
    Track, MusicFile,
    Hour0, Minute0, Hour1, Minute1, Hour2, Minute2,
};
inline constexpr int kFocusStopCount = 17;
FocusStop comboFocusStop(ComboKind kind, int slot);
// The first stop after `from` in tab order, wrapping round, that `enabled`
// accepts; `from` when no other does.
FocusStop nextFocusStop(FocusStop from, const std::function<bool(FocusStop)>& enabled);

// lbl_Fname's text as it fits `lines` lines of `width`, each line's width as
// `measure` gives it. Lines break after a folder separator or a space where
// one falls in the line, else between any two characters. A path that needs
// more lines loses the middle of its folders first (an ellipsis stands in
// for them); only a file name that alone needs more lines is cut, at its end.
using TextWidth = std::function<int32_t(const std::string& utf8)>;
std::vector<std::string> wrapLabelLines(const std::string& text, int32_t width, const TextWidth& measure);
std::vector<std::string> fileLabelLines(const std::string& path, int32_t width, int lines, const TextWidth& measure);

// Where the form goes: centred across the screen, a third of the way down
// (integer division), from the form's outer size.
struct ScreenPoint {
    int32_t x = 0, y = 0;
};
ScreenPoint formPlacement(int32_t screenWidth, int32_t screenHeight, int32_t formWidth, int32_t formHeight);

// The border: for every y from 0 to H (rounded) a line across the form in
// RGB(L, L, L + 30), L = |sin(y / k)| × 220 rounded, k = H / 3.142; H in the
// form's units (twips). Dark blue at the top and bottom, pale in the middle.
// A height of 0 or less draws nothing.
std::vector<uint32_t> borderLineColours(double height);  // 0x00RRGGBB for y = 0, 1, ...
// The colour of each pixel row of a client area `heightPx` high: the last
// line drawn on that row (the row covers twips 15r .. 15r + 14).
std::vector<uint32_t> borderRowColours(int32_t heightPx);

}  // namespace lumora
