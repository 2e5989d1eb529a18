// The renderer's reading of the shared settings.
#include <gtest/gtest.h>

#include <map>

#include "common/settings/settings_parse.h"

using namespace lumora;

TEST(RendererValue, ParsesLikeTheRendererAlwaysDid) {
    struct Case { std::string text; int32_t value; };
    const Case cases[] = {
        {"10", 10},        {"7abc", 7},          {"abc", 0},           {"", 0},
        {"  \t-42", -42},  {"+5", 5},            {"- 5", 0},           {"3.9", 3},
        {"2147483647", 2147483647},              {"2147483648", 2147483647},
        {"-2147483648", -2147483647 - 1},        {"-99999999999999999999999", -2147483647 - 1},
        {"99999999999999999999999999999999", 2147483647},
    };
    for (const Case& c : cases) EXPECT_EQ(parseRendererValue(c.text.data(), c.text.size()), c.value) << c.text;
}

TEST(RendererValue, StaysWithinTheGivenLength) {
    const char buffer[4] = {'1', '2', '3', '4'};  // no terminator
    EXPECT_EQ(parseRendererValue(buffer, 2), 12);
    EXPECT_EQ(parseRendererValue(buffer, 0), 0);
    const std::string huge(1 << 20, '9');
    EXPECT_EQ(parseRendererValue(huge.data(), huge.size()), 2147483647);
}

TEST(RendererSettings, MissingValuesKeepTheirDefaults) {
    const std::map<std::string, std::string> store = {
        {"00", "7abc"}, {"01", "0"}, {"02", "100"}, {"03", "30"}, {"05", "0"}, {"06", "0"}, {"07", "zz"}};
    const Settings s = loadRendererSettings([&](const std::string& name, std::string& text) {
        const auto it = store.find(name);
        if (it == store.end()) return false;
        text = it->second;
        return true;
    });
    EXPECT_EQ(s.MaxFireworks, 7);
    EXPECT_EQ(s.SmokeSpan, 0);
    EXPECT_EQ(s.WindSpeed, 100);
    EXPECT_EQ(s.AmbientBrightness, 30);
    EXPECT_EQ(s.StarDensity, 20);  // "04" absent
    EXPECT_EQ(s.LensFlareBrightness, 0);
    EXPECT_EQ(s.Weather, 0);
    EXPECT_EQ(s.Illumination, 0);
    EXPECT_EQ(settingValueName(0), "00");
    EXPECT_EQ(settingValueName(19), "19");
}

TEST(RendererSettings, EffectsVolumeIsReadFromTwentyAndClamped) {
    struct Case { const char* text; int32_t volume; };  // null: no "20" at all
    const Case cases[] = {{nullptr, 70}, {"0", 0}, {"70", 70}, {"100", 100}, {"101", 100}, {"99999999999", 100},
                          {"-5", 0},     {" 35", 35}, {"12.7", 12}, {"abc", 0}};
    for (const Case& c : cases) {
        const Settings s = loadRendererSettings([&](const std::string& name, std::string& text) {
            if (name != "20" || !c.text) return false;
            text = c.text;
            return true;
        });
        EXPECT_EQ(s.EffectsVolume, c.volume) << (c.text ? c.text : "(missing)");
        EXPECT_EQ(s.MaxFireworks, 10);
    }
}
