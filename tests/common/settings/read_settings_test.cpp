// The front end's settings load: conversion rules, defaults written back,
// the music file check, and agreement with the renderer's reader.
#include <gtest/gtest.h>

#include <map>

#include "common/settings/read_settings.h"
#include "tests/common/settings/memory_store.h"
#include "common/settings/settings_parse.h"

using namespace lumora;

namespace {


bool noFiles(const std::string&) { return false; }

}  // namespace

TEST(SettingNumber, FullWidthFormsReadAsAscii) {
    struct Case { const char* typed; const char* read; std::optional<int16_t> value; };
    const Case cases[] = {
        {"７", "7", 7},
        {"３０", "30", 30},
        {"０１２３４５６７８９", "0123456789", std::nullopt},  // too large for 16 bits, but read as digits
        {"－１", "-1", -1},
        {"＋２", "+2", 2},
        {"１２．５", "12.5", 12},
        {" ７ ", " 7 ", 7},              // ASCII spaces around stay, as the grammar allows them
        {"7", "7", 7},                   // ASCII as it was
        {"７ａ", "7ａ", std::nullopt},    // a full-width letter is no digit
        {"　７", "　7", std::nullopt},    // nor is the ideographic space a space
        {"ー１", "ー1", std::nullopt},    // the long-vowel mark is no minus
        {"ï¼", "ï¼", std::nullopt},  // a cut sequence passes through untouched
        {"", "", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(halfWidthNumberText(c.typed), c.read) << c.typed;
        EXPECT_EQ(convertSettingNumber(halfWidthNumberText(c.typed), Rounding::HalfToEven), c.value) << c.typed;
    }
}

TEST(SettingNumber, AcceptsPlainDecimalNumbersOnly) {
    struct Case { const char* text; std::optional<int16_t> even, down; };
    const Case cases[] = {
        {"12", 12, 12},          {"12.5", 12, 12},        {"13.5", 14, 13},       {"12.7", 13, 12},
        {" 7 ", 7, 7},           {"-1.5", -2, -2},        {"-2.5", -2, -3},       {"-0.4", 0, -1},
        {"+3", 3, 3},            {".5", 0, 0},            {"1.", 1, 1},           {"0.5000001", 1, 0},
        {"32767", 32767, 32767}, {"32767.5", std::nullopt, 32767},               {"-32768", -32768, -32768},
        {"32768", std::nullopt, std::nullopt},           {"-32768.5", -32768, std::nullopt},
        {"7abc", std::nullopt, std::nullopt},             {"abc", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},                 {" ", std::nullopt, std::nullopt},
        {"1e3", std::nullopt, std::nullopt},              {"&H10", std::nullopt, std::nullopt},
        {"1,000", std::nullopt, std::nullopt},            {"- 5", std::nullopt, std::nullopt},
        {"1 2", std::nullopt, std::nullopt},              {"\t5", std::nullopt, std::nullopt},
        {"99999999999999999999999", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(convertSettingNumber(c.text, Rounding::HalfToEven), c.even) << '"' << c.text << '"';
        EXPECT_EQ(convertSettingNumber(c.text, Rounding::Down), c.down) << '"' << c.text << '"';
    }
}

TEST(ReadSettings, TwoReadersAgreeOnWhatTheFrontEndWritesAndDifferAsDocumented) {
    // Stored text, the front end's reading ("keep" leaves the field as it
    // was, here 99), the renderer's reading.
    struct Row { const char* text; int frontEnd; int renderer; };
    const Row rows[] = {{"12", 12, 12}, {"12.5", 12, 12}, {"13.5", 14, 13}, {"7abc", 99, 7}, {"abcd", 99, 0}};
    for (const Row& r : rows) {
        MemoryStore store;
        store.values["00"] = r.text;
        Settings live = zeroSettings();
        live.MaxFireworks = 99;
        ReadSettings(live, store, noFiles);
        EXPECT_EQ(live.MaxFireworks, r.frontEnd) << r.text;
        const Settings rendered = loadRendererSettings([&](const std::string& n, std::string& t) { return store.readValue(n, t); });
        EXPECT_EQ(rendered.MaxFireworks, r.renderer) << r.text;
    }
    // "12.7" in "08".."19": the whole part rounded down.
    MemoryStore store;
    store.values["09"] = "12.7";
    store.values["14"] = "23.9";
    Settings live = zeroSettings();
    ReadSettings(live, store, noFiles);
    EXPECT_EQ(live.BgmCdTrack, 12);
    EXPECT_EQ(live.AlarmHour[0], 23);
}

TEST(ReadSettings, AnEmptyStoreGetsTheEightDefaultsAndNothingElse) {
    MemoryStore store;
    Settings live = zeroSettings();
    ReadSettings(live, store, noFiles);
    const std::map<std::string, std::string> expected = {{"00", "10"}, {"01", "5"}, {"02", "20"}, {"03", "10"},
                                                         {"04", "20"}, {"05", "20"}, {"06", "1"},  {"07", "1"}};
    EXPECT_EQ(store.values, expected);
    EXPECT_EQ(live.MaxFireworks, 10);
    EXPECT_EQ(live.Illumination, 1);
    EXPECT_EQ(live.BgmSource, 0);
    EXPECT_EQ(live.BgmFile, "");
    EXPECT_EQ(live.AlarmEnabled[2], 0);

    // A failed default write still leaves the default in the live field.
    MemoryStore broken;
    broken.failWrites = true;
    Settings other = zeroSettings();
    ReadSettings(other, broken, noFiles);
    EXPECT_EQ(other.WindSpeed, 20);
    EXPECT_EQ(broken.written.size(), 8u);

    // Letters in "00" at the first load: the field stays 0 and nothing is written.
    MemoryStore letters;
    letters.values["00"] = "many";
    Settings first = zeroSettings();
    ReadSettings(first, letters, noFiles);
    EXPECT_EQ(first.MaxFireworks, 0);
    EXPECT_EQ(letters.values["00"], "many");
}

TEST(ReadSettings, AMissingMusicFileIsDroppedFromTheLiveSettingsOnly) {
    MemoryStore store;
    store.values["08"] = "2";
    store.values["10"] = "C:\\music\\gone.mp3";
    Settings live = zeroSettings();
    ReadSettings(live, store, noFiles);
    EXPECT_EQ(live.BgmSource, 0);
    EXPECT_EQ(live.BgmFile, "");
    EXPECT_EQ(store.values["08"], "2");
    EXPECT_EQ(store.values["10"], "C:\\music\\gone.mp3");

    Settings kept = zeroSettings();
    ReadSettings(kept, store, [](const std::string& p) { return p == "C:\\music\\gone.mp3"; });
    EXPECT_EQ(kept.BgmSource, 2);
    EXPECT_EQ(kept.BgmFile, "C:\\music\\gone.mp3");

    // "10" missing: file music falls back to none; CD music is left alone.
    MemoryStore noFile;
    noFile.values["08"] = "2";
    Settings a = zeroSettings();
    ReadSettings(a, noFile, noFiles);
    EXPECT_EQ(a.BgmSource, 0);
    noFile.values["08"] = "1";
    ReadSettings(a, noFile, noFiles);
    EXPECT_EQ(a.BgmSource, 1);
}

TEST(ReadSettings, NonNumbersKeepAndEmptiesClearTheFrontEndFields) {
    MemoryStore store;
    store.values["11"] = "1";
    store.values["17"] = "30";
    Settings live = zeroSettings();
    ReadSettings(live, store, noFiles);
    EXPECT_EQ(live.AlarmEnabled[0], 1);
    EXPECT_EQ(live.AlarmMinute[0], 30);
    store.values["11"] = "on";  // not a number: unchanged
    store.values["17"] = "";    // empty: 0
    ReadSettings(live, store, noFiles);
    EXPECT_EQ(live.AlarmEnabled[0], 1);
    EXPECT_EQ(live.AlarmMinute[0], 0);
}

TEST(SettingTexts, TwentyValuesInTheirPlainForms) {
    Settings s;
    s.BgmSource = 2;
    s.BgmFile = "C:\\a b\\song.mp3";
    s.AlarmEnabled = {1, 0, 1};
    s.AlarmHour = {7, 0, 23};
    s.AlarmMinute = {30, 0, 59};
    s.WindSpeed = -5;
    EXPECT_EQ(settingText(s, 0), "10");
    EXPECT_EQ(settingText(s, 2), "-5");
    EXPECT_EQ(settingText(s, 8), "2");
    EXPECT_EQ(settingText(s, 10), "C:\\a b\\song.mp3");
    EXPECT_EQ(settingText(s, 13), "1");
    EXPECT_EQ(settingText(s, 14), "7");
    EXPECT_EQ(settingText(s, 19), "59");
    EXPECT_EQ(settingText(s, -1), "");
    EXPECT_EQ(settingText(s, 20), "");
    // What the dialog writes, both programs read back unchanged.
    MemoryStore store;
    for (int i = 0; i < 20; ++i) WriteSetting(store, i, settingText(s, i));
    EXPECT_EQ(store.values.size(), 20u);
    Settings back = zeroSettings();
    ReadSettings(back, store, [](const std::string&) { return true; });
    EXPECT_EQ(back.WindSpeed, -5);
    EXPECT_EQ(back.AlarmMinute[2], 59);
    EXPECT_EQ(back.BgmFile, s.BgmFile);
}
