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

FocusStop comboFocusStop(ComboKind kind, int slot) {
    switch (kind) {
    case ComboKind::BgmRepeat: return FocusStop::Track;
    case ComboKind::Hour: return FocusStop(int(FocusStop::Hour0) + 2 * slot);
    case ComboKind::Minute: return FocusStop(int(FocusStop::Minute0) + 2 * slot);
    }
    return FocusStop::Track;
}

FocusStop nextFocusStop(FocusStop from, const std::function<bool(FocusStop)>& enabled) {
    for (int step = 1; step < kFocusStopCount; ++step) {
        const auto candidate = FocusStop((int(from) + step) % kFocusStopCount);
        if (enabled(candidate)) return candidate;
    }
    return from;
}

namespace {

// The text's characters, each as its UTF-8 bytes (a stray byte stands alone).
std::vector<std::string> characters(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = 1;
        while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80 && n < 4) ++n;
        out.push_back(text.substr(i, n));
        i += n;
    }
    return out;
}

std::string joined(const std::vector<std::string>& chars, std::size_t from, std::size_t to) {
    std::string s;
    for (std::size_t i = from; i < to; ++i) s += chars[i];
    return s;
}

bool breaksAfter(const std::string& c) { return c == "\\" || c == "/" || c == " "; }

constexpr char kEllipsis[] = "\xE2\x80\xA6";  // U+2026

}  // namespace

std::vector<std::string> wrapLabelLines(const std::string& text, int32_t width, const TextWidth& measure) {
    const std::vector<std::string> chars = characters(text);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < chars.size()) {
        // The longest run from `start` that fits (at least one character),
        // found by halving: widths grow with the run.
        std::size_t lo = start + 1, hi = chars.size();
        while (lo < hi) {
            const std::size_t mid = (lo + hi + 1) / 2;
            if (measure(joined(chars, start, mid)) <= width) lo = mid;
            else hi = mid - 1;
        }
        std::size_t end = lo;
        if (end < chars.size()) {
            // Back to the last separator in the run, when there is one.
            for (std::size_t k = end; k > start + 1; --k)
                if (breaksAfter(chars[k - 1])) {
                    end = k;
                    break;
                }
        }
        lines.push_back(joined(chars, start, end));
        start = end;
    }
    return lines;
}

std::vector<std::string> fileLabelLines(const std::string& path, int32_t width, int lines, const TextWidth& measure) {
    auto fits = [&](const std::string& text) { return int(wrapLabelLines(text, width, measure).size()) <= lines; };
    if (fits(path)) return wrapLabelLines(path, width, measure);

    const std::vector<std::string> chars = characters(path);
    std::size_t nameStart = chars.size();
    while (nameStart > 0 && chars[nameStart - 1] != "\\" && chars[nameStart - 1] != "/") --nameStart;
    const std::string name = joined(chars, nameStart, chars.size());
    // The folders (without the separator before the name) lose `n`
    // characters from their middle; the fewest that make the path fit.
    if (nameStart > 0) {
        const std::size_t folders = nameStart - 1;
        auto shortened = [&](std::size_t n) {
            const std::size_t head = (folders - n + 1) / 2, tail = folders - n - head;
            return joined(chars, 0, head) + kEllipsis + joined(chars, folders - tail, chars.size());
        };
        if (fits(shortened(folders))) {
            std::size_t lo = 1, hi = folders;
            while (lo < hi) {
                const std::size_t mid = (lo + hi) / 2;
                if (fits(shortened(mid))) hi = mid;
                else lo = mid + 1;
            }
            return wrapLabelLines(shortened(lo), width, measure);
        }
        if (fits(name)) return wrapLabelLines(name, width, measure);
    }
    // The name alone is too long: its end is cut.
    const std::vector<std::string> nameChars = characters(name);
    std::size_t lo = 0, hi = nameChars.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (fits(joined(nameChars, 0, mid) + kEllipsis)) lo = mid;
        else hi = mid - 1;
    }
    return wrapLabelLines(joined(nameChars, 0, lo) + kEllipsis, width, measure);
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
