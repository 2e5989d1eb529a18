// The settings form's rules over a store in memory and a view of plain
// values whose six level bars are the real scroll bars (they clamp and raise
// their change events as on screen): the load, the radio choices, the alarm
// time check, OK's twenty writes, restore defaults and cancel, the
// layout's arithmetic, and the artwork's sizes and the banner's timing.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "controls/gif/gif_file.h"
#include "controls/paint/control_host.h"
#include "controls/paint/dib_reader.h"
#include "controls/paint/skin.h"
#include "controls/scrollbar/scroll_bar.h"
#include "common/settings/read_settings.h"
#include "tests/common/settings/memory_store.h"
#include "frontend/dialog/settings_form.h"
#include "common/settings/settings_parse.h"

using namespace lumora;

namespace {


// What the form's controls show. A radio picture: -1 none, 0 unselected, 1 selected.
struct FakeView : SettingsFormView {
    FakeView() {
        for (int i = 0; i < kLevelCount; ++i) {
            bars[i] = std::make_unique<VellumXPHScrollBar>(host, skin);
            bars[i]->readProperties(levelBarProperties(i));
            bars[i]->onResize(97, 17);
            bars[i]->onChange = [this, i] {
                if (form) form->HS_Change(i);
            };
        }
    }
    void setLevelValue(int i, int32_t v) override { bars[i]->setValue(v); }
    int32_t levelValue(int i) override { return bars[i]->value(); }
    void setLevelLabel(int i, const std::string& t) override { labels[i] = t; }
    void setRadioPicture(RadioGroup g, int i, bool selected) override { pictures[{g, i}] = selected ? 1 : 0; }
    int picture(RadioGroup g, int i) const {
        const auto it = pictures.find({g, i});
        return it == pictures.end() ? -1 : it->second;
    }
    void setMusicButtonEnabled(bool e) override { musicButton = e; }
    void setTrackBoxEnabled(bool e) override { trackBox = e; }
    void addComboItem(ComboKind k, int slot, const std::string& item) override { items[{k, slot}].push_back(item); }
    void setComboText(ComboKind k, int slot, const std::string& t) override { texts[{k, slot}] = t; }
    std::string comboText(ComboKind k, int slot) override { return texts[{k, slot}]; }
    std::string& text(ComboKind k, int slot) { return texts[{k, slot}]; }
    std::vector<std::string>& list(ComboKind k, int slot) { return items[{k, slot}]; }
    void setFileLabel(const std::string& t) override { fileLabel = t; }
    void showError(const std::string& t) override { errors.push_back(t); }
    std::optional<std::string> chooseMusicFile() override { return nextFile; }
    void unload() override { unloaded = true; }
    std::optional<FocusStop> focusedStop() override { return focused; }
    bool stopEnabled(FocusStop s) override {
        return s == FocusStop::Track ? trackBox : s == FocusStop::MusicFile ? musicButton : true;
    }
    void focus(FocusStop s) override { focused = s; }

    HeadlessControlHost host;
    Skin skin;  // nothing to paint from: the bars' pictures do not matter here
    std::unique_ptr<VellumXPHScrollBar> bars[kLevelCount];
    std::string labels[kLevelCount];
    std::map<std::pair<RadioGroup, int>, int> pictures;
    bool musicButton = true, trackBox = true;
    std::map<std::pair<ComboKind, int>, std::vector<std::string>> items;
    std::map<std::pair<ComboKind, int>, std::string> texts;
    std::string fileLabel;
    std::vector<std::string> errors;
    std::optional<std::string> nextFile;
    bool unloaded = false;
    std::optional<FocusStop> focused;
    SettingsForm* form = nullptr;
};

// One opening of the dialog: fresh controls, the settings read afresh.
struct Opened {
    Opened(MemoryStore& store, Settings& live) : form(view, live, store, [](const std::string& p) { return p == "C:\\a.mp3"; }) {
        view.form = &form;
        form.Form_Load();
    }
    FakeView view;
    SettingsForm form;
};

std::map<std::string, std::string> twenty(std::map<std::string, std::string> changes) {
    std::map<std::string, std::string> v = {{"00", "10"}, {"01", "5"}, {"02", "20"}, {"03", "10"}, {"04", "20"},
                                            {"05", "20"}, {"06", "1"},  {"07", "1"},  {"08", "0"},  {"09", "0"},
                                            {"10", ""},   {"11", "0"},  {"12", "0"},  {"13", "0"},  {"14", "0"},
                                            {"15", "0"},  {"16", "0"},  {"17", "0"},  {"18", "0"},  {"19", "0"}};
    for (auto& [k, t] : changes) v[k] = t;
    return v;
}

}  // namespace

TEST(SettingsForm, LevelsShowTheBarsClampAndTheLabelsTheStoredNumber) {
    struct Row { const char* name; const char* stored; int bar; const char* label; const char* saved; };
    const Row rows[] = {
        {"00", "50", 30, "50", "30"}, {"00", "0", 1, "0", "1"},     {"01", "31", 30, "31", "30"},
        {"02", "-4", 0, "-4", "0"},   {"04", "100", 100, "100", "100"}, {"05", "7.5", 8, "8", "8"},
    };
    for (const Row& r : rows) {
        MemoryStore store;
        store.values = twenty({{r.name, r.stored}});
        Settings live = zeroSettings();
        Opened o(store, live);
        const int i = r.name[1] - '0';
        EXPECT_EQ(o.view.levelValue(i), r.bar) << r.name << "=" << r.stored;
        EXPECT_EQ(o.view.labels[i], r.label) << r.name << "=" << r.stored;
        o.form.Cmd_Set_Click();
        EXPECT_EQ(store.values[r.name], r.saved) << r.name << "=" << r.stored;
    }
    // Moving a bar moves its label.
    MemoryStore store;
    Settings live = zeroSettings();
    Opened o(store, live);
    o.view.bars[2]->onKeyDown(kKeyEnd);
    EXPECT_EQ(o.view.labels[2], "100");
}

TEST(SettingsForm, LoadMarksTheChoicesAndFillsTheListsOnce) {
    MemoryStore store;
    store.values = twenty({{"06", "5"}, {"07", "0"}, {"08", "3"}, {"09", "12"}, {"10", "C:\\a.mp3"}, {"11", "2"},
                           {"14", "7"}, {"17", "45"}});
    Settings live = zeroSettings();
    for (int opening = 0; opening < 2; ++opening) {
        Opened o(store, live);
        // Weather 5 selects neither picture; illumination 0 the first.
        EXPECT_EQ(o.view.picture(RadioGroup::Cloud, 0), -1);
        EXPECT_EQ(o.view.picture(RadioGroup::Cloud, 1), -1);
        EXPECT_EQ(o.view.picture(RadioGroup::Illu, 0), 1);
        EXPECT_EQ(o.view.picture(RadioGroup::Illu, 1), 0);
        // A source of 3 shows every music picture unselected, and the steps
        // after it still run.
        for (int i = 0; i < 3; ++i) EXPECT_EQ(o.view.picture(RadioGroup::Bgm, i), 0);
        EXPECT_FALSE(o.view.musicButton);
        EXPECT_FALSE(o.view.trackBox);
        EXPECT_EQ(o.view.text(ComboKind::BgmRepeat, 0), "12");
        EXPECT_EQ(o.view.fileLabel, "C:\\a.mp3");
        // Enabled 2 shows On.
        EXPECT_EQ(o.view.picture(RadioGroup::On, 0), 1);
        EXPECT_EQ(o.view.picture(RadioGroup::Off, 0), 0);
        EXPECT_EQ(o.view.picture(RadioGroup::Off, 1), 1);
        EXPECT_EQ(o.view.text(ComboKind::Hour, 0), "7");
        EXPECT_EQ(o.view.text(ComboKind::Minute, 0), "45");
        const auto& hours = o.view.list(ComboKind::Hour, 2);
        const auto& track = o.view.list(ComboKind::BgmRepeat, 0);
        ASSERT_EQ(hours.size(), 24u);
        EXPECT_EQ(hours.back(), "23");
        EXPECT_EQ(o.view.list(ComboKind::Minute, 1).size(), 60u);
        ASSERT_EQ(track.size(), 31u);
        EXPECT_EQ(track[0], "");
        EXPECT_EQ(track[30], "30");
    }
}

TEST(SettingsForm, RadioChoicesActOnTheLiveSettingsAtOnce) {
    MemoryStore store;
    store.values = twenty({});
    Settings live = zeroSettings();
    Opened o(store, live);
    o.form.radioChosen(RadioGroup::Cloud, 0);
    o.form.radioChosen(RadioGroup::Illu, 0);
    o.form.radioChosen(RadioGroup::Bgm, 1);
    o.form.radioChosen(RadioGroup::On, 2);
    EXPECT_EQ(live.Weather, 0);
    EXPECT_EQ(live.Illumination, 0);
    EXPECT_EQ(live.BgmSource, 1);
    EXPECT_EQ(live.AlarmEnabled[2], 1);
    EXPECT_EQ(o.view.picture(RadioGroup::Cloud, 1), 0);
    EXPECT_EQ(o.view.picture(RadioGroup::On, 2), 1);
    EXPECT_EQ(o.view.picture(RadioGroup::Off, 2), 0);
    EXPECT_TRUE(o.view.trackBox);
    EXPECT_FALSE(o.view.musicButton);

    o.form.radioChosen(RadioGroup::Bgm, 2);
    EXPECT_TRUE(o.view.musicButton);
    EXPECT_FALSE(o.view.trackBox);
    o.form.Cmd_BGM_Click();  // cancelled: nothing changes
    EXPECT_EQ(live.BgmFile, "");
    o.view.nextFile = "D:\\曲\\夜.wav";
    o.form.Cmd_BGM_Click();
    EXPECT_EQ(live.BgmFile, "D:\\曲\\夜.wav");
    EXPECT_EQ(o.view.fileLabel, "D:\\曲\\夜.wav");
    EXPECT_TRUE(store.written.empty());
}

TEST(SettingsForm, AlarmTimesAreCheckedInEnabledSlotsAndConvertedInAll) {
    // Slot 0's switch and texts; whether OK refuses; what "14" and "17" get.
    struct Row { int enabled; const char* hour; const char* minute; bool refused; const char* h; const char* m; };
    const Row rows[] = {
        {1, "24", "0", true, "", ""},         {1, "-1", "0", true, "", ""},      {1, "ab", "0", true, "", ""},
        {1, "23.5", "0", true, "", ""},       {1, "7", "60", true, "", ""},      {1, "", "0", true, "", ""},
        {1, "２４", "0", true, "", ""},        {1, "7", "６０", true, "", ""},
        {1, "12.5", " 59 ", false, "12", "59"}, {1, "-0", "13.5", false, "0", "14"},
        {1, "７", "３０", false, "7", "30"},     {1, "１２．５", "－０", false, "12", "0"},  // typed full-width
        {0, "24", "ab", false, "24", "0"},    {0, "-3", "99", false, "-3", "99"},
        {0, "99999", "40000", false, "6", "8"},  // no 16-bit value: the previous one stays
        {2, "25", "61", false, "25", "61"},   // only a slot that is exactly 1 is checked
    };
    for (const Row& r : rows) {
        MemoryStore store;
        store.values = twenty({{"11", std::to_string(r.enabled)}, {"14", "6"}, {"17", "8"}});
        Settings live = zeroSettings();
        Opened o(store, live);
        o.view.text(ComboKind::Hour, 0) = r.hour;
        o.view.text(ComboKind::Minute, 0) = r.minute;
        o.form.Cmd_Set_Click();
        const std::string what = std::string(r.hour) + "/" + r.minute + " enabled " + std::to_string(r.enabled);
        if (r.refused) {
            EXPECT_EQ(o.view.errors, std::vector<std::string>(1, kAlarmTimeErrorText)) << what;
            EXPECT_TRUE(store.written.empty()) << what;
            EXPECT_FALSE(o.view.unloaded) << what;
            EXPECT_EQ(live.AlarmHour[0], 6) << what;
            // The first bad box gets the focus; mended, the same dialog saves.
            const bool hourBad = o.view.text(ComboKind::Minute, 0) == "0";
            EXPECT_EQ(o.view.focused, hourBad ? FocusStop::Hour0 : FocusStop::Minute0) << what;
            o.view.text(ComboKind::Hour, 0) = "9";
            o.view.text(ComboKind::Minute, 0) = "0";
            o.form.Cmd_Set_Click();
            EXPECT_TRUE(o.view.unloaded) << what;
            EXPECT_EQ(store.values["14"], "9") << what;
        } else {
            EXPECT_TRUE(o.view.errors.empty()) << what;
            EXPECT_TRUE(o.view.unloaded) << what;
            EXPECT_EQ(store.values["14"], r.h) << what;
            EXPECT_EQ(store.values["17"], r.m) << what;
            EXPECT_EQ(std::to_string(live.AlarmHour[0]), r.h) << what;
        }
    }
}

TEST(SettingsForm, TheFocusGoesToTheFirstBadBoxAndLeavesADisabledControl) {
    MemoryStore store;
    store.values = twenty({{"08", "1"}, {"12", "1"}, {"13", "1"}});
    Settings live = zeroSettings();
    Opened o(store, live);
    o.view.text(ComboKind::Minute, 1) = "75";
    o.view.text(ComboKind::Hour, 2) = "30";
    o.view.focused = FocusStop::Set;
    o.form.Cmd_Set_Click();
    EXPECT_EQ(o.view.focused, FocusStop::Minute1);  // slot 1's minute comes before slot 2's hour

    // The track box has the focus when "無し" disables it: the next enabled
    // stop in tab order ("..." is disabled too) takes it.
    struct Case { FocusStop focused; int source; FocusStop after; };
    const Case cases[] = {
        {FocusStop::Track, 0, FocusStop::Hour0},
        {FocusStop::MusicFile, 1, FocusStop::Hour0},  // Track lies before "...", not after it
        {FocusStop::Track, 2, FocusStop::MusicFile},
        {FocusStop::Track, 1, FocusStop::Track},      // still enabled: stays
        {FocusStop::Level3, 0, FocusStop::Level3},    // not affected
    };
    for (const Case& c : cases) {
        o.form.radioChosen(RadioGroup::Bgm, c.focused == FocusStop::MusicFile ? 2 : 1);
        o.view.focused = c.focused;
        o.form.radioChosen(RadioGroup::Bgm, c.source);
        EXPECT_EQ(o.view.focused, c.after) << int(c.focused) << " source " << c.source;
    }
    // Nothing else enabled: the focus stays where it was.
    EXPECT_EQ(nextFocusStop(FocusStop::Can, [](FocusStop) { return false; }), FocusStop::Can);
    EXPECT_EQ(nextFocusStop(FocusStop::Minute2, [](FocusStop) { return true; }), FocusStop::Init);  // wraps
}

TEST(SettingsFormLayout, TheFileLabelKeepsTheNameShorteningTheFoldersFirst) {
    // One unit a character, ten to a line, two lines.
    const TextWidth chars = [](const std::string& s) {
        int32_t n = 0;
        for (unsigned char c : s) n += (c & 0xC0) != 0x80;
        return n;
    };
    struct Case { const char* path; std::vector<std::string> lines; };
    const Case cases[] = {
        {"C:\\a.mp3", {"C:\\a.mp3"}},
        {"C:\\Music\\song.mp3", {"C:\\Music\\", "song.mp3"}},          // breaks after a separator
        {"C:\\Music\\Concerts\\Summer\\song.mp3", {"C:\\M…mmer\\", "song.mp3"}},  // the folders' middle goes
        {"C:\\x\\a_very_long_song.mp3", {"a_very_lon", "g_song.mp3"}},  // the name alone fits
        {"C:\\x\\a_much_longer_song_name.mp3", {"a_much_lon", "ger_song_…"}},  // the name itself is cut
        {"just_a_long_name_without_folders.wav", {"just_a_lon", "g_name_wi…"}},
        {"花火の夜\\曲.wav", {"花火の夜\\曲.wav"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> lines = fileLabelLines(c.path, 10, 2, chars);
        EXPECT_EQ(lines, c.lines) << c.path;
        EXPECT_LE(lines.size(), 2u) << c.path;
        for (const std::string& line : lines) EXPECT_LE(chars(line), 10) << c.path;
    }
}

TEST(SettingsForm, OkWritesTheTwentyValuesInOrder) {
    MemoryStore store;
    store.values = twenty({{"09", "4"}, {"12", "1"}, {"15", "21"}, {"18", "30"}});
    Settings live = zeroSettings();
    Opened o(store, live);
    o.form.radioChosen(RadioGroup::Bgm, 2);  // music from a file, but none chosen
    o.view.text(ComboKind::BgmRepeat, 0) = "";
    o.form.Cmd_Set_Click();
    std::vector<std::string> names;
    for (int i = 0; i < 20; ++i) names.push_back(settingValueName(i));
    EXPECT_EQ(store.written, names);
    EXPECT_EQ(store.values, twenty({{"08", "2"}, {"12", "1"}, {"15", "21"}, {"18", "30"}}));
    EXPECT_EQ(live.BgmCdTrack, 0);
    EXPECT_TRUE(o.view.unloaded);

    // The next load drops file music without a file; a track of 12.5 is 12.
    Opened again(store, live);
    EXPECT_EQ(live.BgmSource, 0);
    again.view.text(ComboKind::BgmRepeat, 0) = "12.5";
    again.form.Cmd_Set_Click();
    EXPECT_EQ(store.values["09"], "12");
    EXPECT_EQ(live.BgmCdTrack, 12);
}

TEST(SettingsForm, AFailedWriteGoesOnAndKeepsTheDialogOpen) {
    MemoryStore store;
    store.values = twenty({});
    Settings live = zeroSettings();
    Opened o(store, live);
    store.failing = "03";
    o.view.text(ComboKind::Minute, 2) = "15";
    o.form.Cmd_Set_Click();
    EXPECT_EQ(store.written.size(), 20u);
    EXPECT_EQ(store.values["19"], "15");
    EXPECT_EQ(o.view.errors, std::vector<std::string>(1, kSaveFailedText));
    EXPECT_FALSE(o.view.unloaded);
    store.failing.clear();
    o.form.Cmd_Set_Click();  // a second press writes everything again
    EXPECT_EQ(store.written.size(), 40u);
    EXPECT_TRUE(o.view.unloaded);
}

TEST(SettingsForm, RestoreDefaultsThenCancelLeavesTheStoreAndKeepsTheLiveDefaults) {
    MemoryStore store;
    store.values = twenty({{"00", "25"}, {"06", "0"}, {"07", "0"}, {"08", "2"}, {"09", "3"}, {"10", "C:\\a.mp3"},
                           {"13", "1"}, {"16", "5"}, {"19", "9"}});
    const auto before = store.values;
    Settings live = zeroSettings();
    Opened o(store, live);
    o.form.Cmd_Init_Click();
    for (int i = 0; i < kLevelCount; ++i) {
        EXPECT_EQ(o.view.levelValue(i), kLevelDefaults[i]);
        EXPECT_EQ(o.view.labels[i], std::to_string(kLevelDefaults[i]));
    }
    EXPECT_EQ(o.view.picture(RadioGroup::Cloud, 1), 1);
    EXPECT_EQ(o.view.picture(RadioGroup::Bgm, 0), 1);
    EXPECT_EQ(o.view.picture(RadioGroup::Off, 2), 1);
    EXPECT_EQ(o.view.text(ComboKind::Hour, 2), "0");
    EXPECT_EQ(o.view.text(ComboKind::BgmRepeat, 0), "3");  // the track box keeps its text
    EXPECT_EQ(o.view.fileLabel, "");
    o.form.Cmd_Can_Click();
    EXPECT_TRUE(o.view.unloaded);
    EXPECT_EQ(store.values, before);
    EXPECT_EQ(live.Weather, 1);
    EXPECT_EQ(live.Illumination, 1);
    EXPECT_EQ(live.BgmSource, 0);
    EXPECT_EQ(live.BgmFile, "");
    EXPECT_EQ(live.AlarmEnabled[2], 0);
}

TEST(SettingsFormLayout, PlacementBorderAndControlsInsideThePicture) {
    EXPECT_EQ(formPlacement(1024, 768, 416, 525).x, 304);
    EXPECT_EQ(formPlacement(1024, 768, 416, 525).y, 81);
    EXPECT_EQ(formPlacement(300, 200, 416, 525).x, -58);

    EXPECT_TRUE(borderRowColours(0).empty());
    EXPECT_TRUE(borderRowColours(-5).empty());
    const std::vector<uint32_t> rows = borderRowColours(496);
    ASSERT_EQ(rows.size(), 496u);
    EXPECT_EQ(borderLineColours(7440).front(), 0x00001Eu);  // (0, 0, 30)
    EXPECT_EQ(borderLineColours(7440)[3720], 0xDCDCFAu);    // (220, 220, 250) at mid-height
    EXPECT_EQ(rows[248], 0xDCDCFAu);
    EXPECT_LE(rows.back() >> 16, 3u);  // dark again at the bottom

    const PixelRect pic = toPixels(kPicC);
    EXPECT_EQ(pic.width, 394);
    EXPECT_EQ(pic.height, 480);
    auto inside = [&](const TwipsRect& t, const char* what) {
        const PixelRect r = toPixels(t);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.left + r.width <= pic.width && r.top + r.height <= pic.height)
            << what << " at " << r.left << "," << r.top;
    };
    for (const RadioChoice& c : radioChoices()) inside(c.image, c.text), inside(c.label, c.text);
    for (const FormLabel& l : formLabels()) inside(l.rect, l.text);
    for (int i = 0; i < kLevelCount; ++i) inside(levelBarRect(i), "HS");
    for (int slot = 0; slot < 3; ++slot) inside(comboRect(ComboKind::Hour, slot), "Com_h"), inside(comboRect(ComboKind::Minute, slot), "Com_m");
    inside(kGifBanner, "gifBanner");
    EXPECT_EQ(toPixels(kPlateSlots[1]).left, 28);
    EXPECT_EQ(toPixels(levelBarRect(5)).top, 156);
}

TEST(SettingsFormArt, PicturesHaveTheirSizesAndTheBannerLoopsWithShortFrames) {
    const std::string dir = LUMORA_DIALOG_ART_DIR;
    struct Picture { const char* file; int32_t width, height; };
    const Picture pictures[] = {{"dialog_background.bmp", 394, 480}, {"heading_plate.bmp", 95, 22},
                                {"heading_plate_mask.bmp", 95, 22},  {"radio_off.bmp", 12, 12},
                                {"radio_on.bmp", 12, 12}};
    for (const Picture& p : pictures) {
        const std::optional<PixelImage> image = readDib(readFileBytes(dir + "/" + p.file));
        ASSERT_TRUE(image) << p.file;
        EXPECT_EQ(image->width, p.width) << p.file;
        EXPECT_EQ(image->height, p.height) << p.file;
    }
    const std::vector<uint8_t> bytes = readFileBytes(dir + "/banner.gif");
    AllocationBudget budget;
    GifFile gif;
    ASSERT_EQ(parseGif(bytes, budget, gif), GifStatus::Ok);
    EXPECT_EQ(gif.canvasWidth, 120);
    EXPECT_EQ(gif.canvasHeight, 50);
    EXPECT_TRUE(gif.hasLoopCount);
    EXPECT_EQ(gif.loopCount, 0);  // endless
    EXPECT_GT(gif.frames.size(), 1u);
    for (const GifFrame& f : gif.frames) EXPECT_TRUE(f.delay > 0 && f.delay <= 500) << f.delay;
}
