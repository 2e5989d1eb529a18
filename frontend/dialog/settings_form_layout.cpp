// The settings form's layout; see settings_form_layout.h.
#include "frontend/dialog/settings_form_layout.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace lumora {

namespace {
constexpr int32_t kLabelHeight = 195;  // one line of the form's 9-point font

constexpr TwipsRect image(int32_t left, int32_t top) { return {left, top, 195, 195}; }
constexpr TwipsRect text(int32_t left, int32_t top) { return {left, top, 0, kLabelHeight}; }

constexpr int32_t alarmTop(int slot) { return 5460 + 360 * slot; }

constexpr std::array<RadioChoice, 13> kRadioChoices{{
    {RadioGroup::Cloud, 0, image(3300, 2760), text(3540, 2760), "星空"},
    {RadioGroup::Cloud, 1, image(4200, 2760), text(4440, 2760), "曇り"},
    {RadioGroup::Illu, 0, image(3300, 3000), text(3540, 3000), "無"},
    {RadioGroup::Illu, 1, image(4200, 3000), text(4440, 3000), "有"},
    {RadioGroup::Bgm, 1, image(660, 3840), text(900, 3840), "音楽CD"},
    {RadioGroup::Bgm, 0, image(660, 4080), text(900, 4080), "無し"},
    {RadioGroup::Bgm, 2, image(660, 4320), text(900, 4320), "MP3、WAV"},
    {RadioGroup::Off, 0, image(2280, alarmTop(0)), text(2520, alarmTop(0)), "Off"},
    {RadioGroup::On, 0, image(2940, alarmTop(0)), text(3180, alarmTop(0)), "On"},
    {RadioGroup::Off, 1, image(2280, alarmTop(1)), text(2520, alarmTop(1)), "Off"},
    {RadioGroup::On, 1, image(2940, alarmTop(1)), text(3180, alarmTop(1)), "On"},
    {RadioGroup::Off, 2, image(2280, alarmTop(2)), text(2520, alarmTop(2)), "Off"},
    {RadioGroup::On, 2, image(2940, alarmTop(2)), text(3180, alarmTop(2)), "On"},
}};

// The level names are right-aligned with their right edges at 3120.
constexpr int32_t kNameRight = 3120;
constexpr int32_t kNameLefts[kLevelCount] = {480, 1800, 2700, 2040, 1920, 1380};
constexpr const char* kNames[kLevelCount] = {"同時に打ち上げる花火の最大数", "煙の消滅スパン", "風速",
                                             "周囲の明るさ",                 "星の描画密度",   "レンズフレアの明るさ"};
constexpr int32_t levelTop(int i) { return 900 + 300 * i; }

constexpr std::array<FormLabel, 26> kLabels{{
    {LabelKind::Heading, 0, {420, 540, 1425, kLabelHeight}, "花火の環境"},
    {LabelKind::Heading, 0, {420, 3480, 1425, kLabelHeight}, "BGM"},
    {LabelKind::Heading, 0, {420, 5340, 1425, kLabelHeight}, "アラーム"},
    {LabelKind::Right, 0, {kNameLefts[0], levelTop(0), kNameRight - kNameLefts[0], kLabelHeight}, kNames[0]},
    {LabelKind::Right, 0, {kNameLefts[1], levelTop(1), kNameRight - kNameLefts[1], kLabelHeight}, kNames[1]},
    {LabelKind::Right, 0, {kNameLefts[2], levelTop(2), kNameRight - kNameLefts[2], kLabelHeight}, kNames[2]},
    {LabelKind::Right, 0, {kNameLefts[3], levelTop(3), kNameRight - kNameLefts[3], kLabelHeight}, kNames[3]},
    {LabelKind::Right, 0, {kNameLefts[4], levelTop(4), kNameRight - kNameLefts[4], kLabelHeight}, kNames[4]},
    {LabelKind::Right, 0, {kNameLefts[5], levelTop(5), kNameRight - kNameLefts[5], kLabelHeight}, kNames[5]},
    {LabelKind::Number, 0, {4860, levelTop(0), 375, kLabelHeight}, "999"},
    {LabelKind::Number, 1, {4860, levelTop(1), 375, kLabelHeight}, "999"},
    {LabelKind::Number, 2, {4860, levelTop(2), 375, kLabelHeight}, "999"},
    {LabelKind::Number, 3, {4860, levelTop(3), 375, kLabelHeight}, "999"},
    {LabelKind::Number, 4, {4860, levelTop(4), 375, kLabelHeight}, "999"},
    {LabelKind::Number, 5, {4860, levelTop(5), 375, kLabelHeight}, "999"},
    {LabelKind::Plain, 0, text(2700, 2760), "天気"},
    {LabelKind::Plain, 0, text(1380, 3000), "イルミネーション効果"},
    {LabelKind::Plain, 0, text(2280, 3840), "曲目をリピート"},
    {LabelKind::Plain, 0, text(3360, 4260), "Lumora ver.1.0.0"},
    {LabelKind::File, 0, {660, 4620, 4815, 435}, ""},
    {LabelKind::Plain, 0, text(4200, alarmTop(0)), "時"},
    {LabelKind::Plain, 0, text(5160, alarmTop(0)), "分"},
    {LabelKind::Plain, 0, text(4200, alarmTop(1)), "時"},
    {LabelKind::Plain, 0, text(5160, alarmTop(1)), "分"},
    {LabelKind::Plain, 0, text(4200, alarmTop(2)), "時"},
    {LabelKind::Plain, 0, text(5160, alarmTop(2)), "分"},
}};
}  // namespace

PixelRect toPixels(const TwipsRect& r) {
    return {r.left / kTwipsPerPixel, r.top / kTwipsPerPixel, r.width / kTwipsPerPixel, r.height / kTwipsPerPixel};
}

TwipsRect levelBarRect(int i) { return {3300, 840 + 300 * i, 1455, 255}; }

PropertyBag levelBarProperties(int i) {
    const LevelRange range = kLevelRanges[std::clamp(i, 0, kLevelCount - 1)];
    PropertyBag bag;  // defaults as a bar placed anew: Min 0, Max 255, changes 1 and 10
    bag.writeInt("LargeChange", 10, 10);
    bag.writeInt("Max", range.max, 255);
    bag.writeInt("Min", range.min, 0);
    bag.writeInt("SmallChange", 1, 1);
    bag.writeInt("Value", range.min, 0);
    return bag;
}

std::span<const RadioChoice> radioChoices() { return kRadioChoices; }

std::span<const FormLabel> formLabels() { return kLabels; }

TwipsRect comboRect(ComboKind kind, int slot) {
    switch (kind) {
    case ComboKind::BgmRepeat: return {1620, 3780, 615, 300};
    case ComboKind::Hour: return {3540, alarmTop(slot) - 60, 615, 315};
    case ComboKind::Minute: return {4500, alarmTop(slot) - 60, 615, 315};
    }
    return {};
}

ScreenPoint formPlacement(int32_t screenWidth, int32_t screenHeight, int32_t formWidth, int32_t formHeight) {
    return {(screenWidth - formWidth) / 2, (screenHeight - formHeight) / 3};
}

std::vector<uint32_t> borderLineColours(double height) {
    std::vector<uint32_t> colours;
    if (!(height > 0)) return colours;  // k would be 0 and y / k undefined
    const double k = height / 3.142;
    const long last = std::lround(height);
    colours.reserve(static_cast<std::size_t>(last) + 1);
    for (long y = 0; y <= last; ++y) {
        const auto level = static_cast<uint32_t>(std::nearbyint(std::fabs(std::sin(double(y) / k)) * 220.0));
        colours.push_back(level << 16 | level << 8 | (level + 30));
    }
    return colours;
}

std::vector<uint32_t> borderRowColours(int32_t heightPx) {
    std::vector<uint32_t> rows;
    if (heightPx <= 0) return rows;
    const std::vector<uint32_t> lines = borderLineColours(double(heightPx) * kTwipsPerPixel);
    rows.reserve(static_cast<std::size_t>(heightPx));
    for (int32_t r = 0; r < heightPx; ++r) {
        const std::size_t y = std::min<std::size_t>(std::size_t(r) * kTwipsPerPixel + kTwipsPerPixel - 1, lines.size() - 1);
        rows.push_back(lines[y]);
    }
    return rows;
}

}  // namespace lumora
