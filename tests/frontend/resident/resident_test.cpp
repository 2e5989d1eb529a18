// The alarm check, show supervision with its timers, the tray menu's entries
// and rule, the firework sounds' entry and starting at logon.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "frontend/resident/alarm.h"
#include "frontend/resident/show_supervisor.h"
#include "frontend/resident/startup_entry.h"
#include "frontend/resident/tray_menu.h"

using namespace lumora;

TEST(TrayMenu, TheSoundEntryFollowsTheStoredVolume) {
    struct Case { std::optional<std::string> stored; bool on; const char* written; };
    const Case cases[] = {
        {std::nullopt, true, "0"},  // missing: the default, 70
        {"70", true, "0"},  {"1", true, "0"},   {" 100", true, "0"}, {"250", true, "0"},
        {"0", false, "70"}, {"-5", false, "70"}, {"", false, "70"},  {"abc", false, "70"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(effectsSoundOn(c.stored), c.on) << c.stored.value_or("(missing)");
        EXPECT_EQ(effectsValueWhenChosen(c.on), c.written);
    }
}

TEST(StartupEntry, RunValueAndTheSystemsChoiceDecideTheCheckAndTheAction) {
    const std::string self = "C:\\Users\\ユーザー\\AppData\\Local\\Programs\\Lumora\\Lumora.scr";
    const std::vector<uint8_t> enabled = {2, 0, 0, 0}, disabled = {3, 0, 0, 0};
    struct Case {
        const char* what;
        std::optional<std::string> run;
        std::optional<std::vector<uint8_t>> approved;
        StartupState state;
        StartupAction action;
    };
    const Case cases[] = {
        {"no value", std::nullopt, std::nullopt, StartupState::Off, StartupAction::WriteRunValue},
        {"ours, quoted", "\"" + self + "\"", std::nullopt, StartupState::On, StartupAction::DeleteRunValue},
        {"ours, another case and arguments", "\"c:\\users\\ユーザー\\appdata\\local\\programs\\LUMORA\\lumora.SCR\" /x",
         enabled, StartupState::On, StartupAction::DeleteRunValue},
        {"ours, unquoted with spaces around", "  " + self + " ", std::nullopt, StartupState::On,
         StartupAction::DeleteRunValue},
        {"ours, unquoted with an argument", self + " /min", std::nullopt, StartupState::On,
         StartupAction::DeleteRunValue},
        {"another copy's path", "\"D:\\Old\\Lumora.scr\"", enabled, StartupState::Off, StartupAction::WriteRunValue},
        {"a longer path that starts like ours", "\"" + self + "x\"", std::nullopt, StartupState::Off,
         StartupAction::WriteRunValue},
        {"an empty value", "", std::nullopt, StartupState::Off, StartupAction::WriteRunValue},
        {"ours, disabled by the system", "\"" + self + "\"", disabled, StartupState::DisabledBySystem,
         StartupAction::ExplainDisabled},
        {"absent, disabled by the system", std::nullopt, disabled, StartupState::DisabledBySystem,
         StartupAction::ExplainDisabled},
        {"an empty approval value", "\"" + self + "\"", std::vector<uint8_t>{}, StartupState::On,
         StartupAction::DeleteRunValue},
    };
    for (const Case& c : cases) {
        const StartupState state = startupState(c.run, c.approved, self);
        EXPECT_EQ(state, c.state) << c.what;
        EXPECT_EQ(startupChosen(state), c.action) << c.what;
    }
    EXPECT_EQ(runValueFor(self), "\"" + self + "\"");
}

namespace {
Settings alarmAt(int hour, int minute, int enabled = 1) {
    Settings s;
    s.AlarmEnabled = {0, enabled, 0};
    s.AlarmHour = {0, hour, 0};
    s.AlarmMinute = {0, minute, 0};
    return s;
}
}  // namespace

TEST(Alarm, FiresOncePerAlarmMinute) {
    const Settings s = alarmAt(7, 30);
    AlarmCheck a;
    EXPECT_FALSE(a.tick(true, 7, 29, s));
    EXPECT_TRUE(a.tick(true, 7, 30, s));   // the first tick of 07:30
    EXPECT_FALSE(a.tick(true, 7, 30, s));  // later ticks of the same minute
    EXPECT_FALSE(a.MinuteChanged);
    EXPECT_FALSE(a.tick(true, 7, 31, s));
    EXPECT_FALSE(a.tick(true, 19, 30, s));  // a different hour
}

TEST(Alarm, StartingDuringMinuteZeroMissesAnAlarmAtMinuteZero) {
    const Settings s = alarmAt(9, 0);
    AlarmCheck a;  // LastMinute starts at 0
    EXPECT_FALSE(a.tick(true, 9, 0, s));
    AlarmCheck b;
    EXPECT_FALSE(b.tick(true, 8, 59, s));
    EXPECT_TRUE(b.tick(true, 9, 0, s));
}

TEST(Alarm, TheOpenDialogHoldsTheMinuteUntilItCloses) {
    const Settings s = alarmAt(7, 30);
    AlarmCheck a;
    a.tick(true, 7, 29, s);
    EXPECT_FALSE(a.tick(false, 7, 30, s));  // dialog open across the alarm minute
    EXPECT_EQ(a.LastMinute, 29);
    EXPECT_TRUE(a.tick(true, 7, 30, s));  // closed within the minute: fires now

    AlarmCheck late;
    late.tick(true, 7, 29, s);
    late.tick(false, 7, 30, s);
    EXPECT_FALSE(late.tick(true, 7, 31, s));  // closed in a later minute: missed
}

TEST(Alarm, OnlyASwitchValueOfOneCountsAndSlotsShareAShow) {
    for (int enabled : {0, 2, -1}) {
        AlarmCheck a;
        EXPECT_FALSE(a.tick(true, 7, 30, alarmAt(7, 30, enabled))) << enabled;
    }
    Settings all;
    all.AlarmEnabled = {1, 1, 1};
    all.AlarmHour = {6, 6, 6};
    all.AlarmMinute = {15, 15, 15};
    AlarmCheck a;
    EXPECT_TRUE(a.tick(true, 6, 15, all));
    EXPECT_TRUE(anyAlarmEnabled(all));
    EXPECT_FALSE(anyAlarmEnabled(alarmAt(6, 15, 2)));
    Settings odd = alarmAt(25, 61);
    AlarmCheck b;
    for (int m = 0; m < 60; ++m) EXPECT_FALSE(b.tick(true, 1, m, odd));
}

TEST(Alarm, EachSlotFiresOnItsOwn) {
    for (int slot = 0; slot < 3; ++slot) {
        Settings s;
        const auto i = static_cast<std::size_t>(slot);
        s.AlarmEnabled[i] = 1;
        s.AlarmHour[i] = 6 + slot;
        s.AlarmMinute[i] = 10 * slot;
        AlarmCheck a;
        a.tick(true, 5, 59, s);
        for (int other = 0; other < 3; ++other)
            EXPECT_EQ(a.tick(true, 6 + other, 10 * other, s), other == slot) << "slot " << slot << " at " << other;
    }
}

TEST(TrayMenu, EntriesAndTheRightButtonRule) {
    const std::vector<std::string> captions = {"Lumora", "効果音", "-", "各種設定...", "-",
                                               "ホームページ", "Windows の起動時に開始", "-", "終了"};
    ASSERT_EQ(std::size(kPopupMenu), captions.size());
    for (std::size_t i = 0; i < captions.size(); ++i) EXPECT_EQ(kPopupMenu[i].caption, captions[i]) << i;
    EXPECT_STREQ(kPopupMenu[8].name, "m_Exit");
    EXPECT_TRUE(shouldOpenTrayMenu(true, 0x205));
    EXPECT_FALSE(shouldOpenTrayMenu(false, 0x205));  // settings dialog open
    for (uint32_t m : {0x200u, 0x201u, 0x202u, 0x203u, 0x204u}) EXPECT_FALSE(shouldOpenTrayMenu(true, m));
}

namespace {

struct FakeMci : MciInterface {
    int32_t sendString(const std::string& command, std::string* reply, int) override {
        log.push_back(command);
        if (reply) *reply = command == "status MP3Play mode" ? mp3Mode : "";
        return 0;
    }
    bool errorString(int32_t, std::string& text, int) override { text = "error"; return true; }
    bool playSound(const std::string* name, uint32_t flags) override {
        log.push_back(name ? "PlaySound " + *name + " " + std::to_string(flags) : "PlaySound stop");
        return true;
    }
    int waveOutDevices() override { return 1; }
    std::vector<std::string> log;
    std::string mp3Mode = "playing";
};

struct FakeShow : ShowPlatform {
    bool startRenderer() override { ++starts; return canStart; }
    bool rendererWindowExists() override { return window; }
    bool rendererRunning() override { return running; }
    void releaseRenderer() override { calls.push_back("release"); }
    void reportStartFailure() override { calls.push_back("balloon"); }
    void keepDisplayOn(bool on) override { calls.push_back(on ? "display on" : "display off"); }
    bool canStart = true, window = false, running = true;
    int starts = 0;
    std::vector<std::string> calls;
};

struct Front {
    Front() : music(mci, live), supervisor(show, music, live) {}
    Settings live;
    FakeMci mci;
    FakeShow show;
    Music music;
    ShowSupervisor supervisor;
};

}  // namespace

TEST(Supervision, TheFirstTickAtStartUpArmsTheAlarm) {
    Front f;
    EXPECT_TRUE(f.supervisor.timers.Timer3);
    EXPECT_FALSE(f.supervisor.timers.tmrChangeTime);
    f.supervisor.EndOfShow(50);
    EXPECT_FALSE(f.supervisor.timers.Timer3);
    EXPECT_TRUE(f.supervisor.timers.tmrChangeTime);
    EXPECT_TRUE(f.mci.log.empty());  // no music configured: no command

    Front mp3;
    mp3.live.BgmSource = 2;
    mp3.live.BgmFile = "x.mp3";
    mp3.supervisor.EndOfShow(50);
    EXPECT_EQ(mp3.mci.log, (std::vector<std::string>{"stop MP3Play", "close MP3Play"}));
}

TEST(Supervision, AShowWithoutMusicRunsUntilItsWindowGoes) {
    Front f;
    f.supervisor.EndOfShow(0);
    f.supervisor.StartShow(1000);
    EXPECT_TRUE(f.supervisor.timers.Timer3);
    EXPECT_FALSE(f.supervisor.timers.tmrChangeTime);
    f.show.window = true;
    f.supervisor.EndOfShow(1050);
    EXPECT_TRUE(f.supervisor.timers.Timer3);
    f.show.window = false;
    f.supervisor.EndOfShow(1100);
    EXPECT_FALSE(f.supervisor.timers.Timer3);
    EXPECT_TRUE(f.supervisor.timers.tmrChangeTime);
    EXPECT_TRUE(f.mci.log.empty());
}

TEST(Supervision, MusicIsNotStoppedBeforeTheRendererWindowAppears) {
    Front f;
    f.live.BgmSource = 2;
    f.live.BgmFile = "C:\\My Music\\song.MP3";
    f.supervisor.EndOfShow(0);
    f.mci.log.clear();
    f.supervisor.StartShow(1000);
    EXPECT_TRUE(f.supervisor.timers.Timer1);
    // The window takes its time: the show is not over yet.
    for (uint32_t t = 1050; t < 3000; t += 50) f.supervisor.EndOfShow(t);
    EXPECT_TRUE(f.supervisor.timers.Timer3);
    EXPECT_EQ(f.mci.log, (std::vector<std::string>{"open \"C:\\My Music\\song.MP3\" type MPEGVideo Alias MP3Play",
                                                   "play MP3Play"}));
    f.show.window = true;
    f.supervisor.EndOfShow(3000);
    f.show.window = false;
    f.supervisor.EndOfShow(9000);
    EXPECT_FALSE(f.supervisor.timers.Timer1);
    EXPECT_EQ(f.mci.log.back(), "close MP3Play");
}

TEST(Supervision, ARendererThatDiesOrNeverShowsEndsTheShowAllTheSame) {
    Front dead;
    dead.supervisor.StartShow(0);
    dead.show.running = false;
    dead.supervisor.EndOfShow(50);
    EXPECT_FALSE(dead.supervisor.timers.Timer3);

    Front slow;
    slow.supervisor.StartShow(0);
    slow.supervisor.EndOfShow(ShowSupervisor::kLaunchWaitMs - 1);
    EXPECT_TRUE(slow.supervisor.timers.Timer3);
    slow.supervisor.EndOfShow(ShowSupervisor::kLaunchWaitMs);
    EXPECT_FALSE(slow.supervisor.timers.Timer3);
}

TEST(Supervision, AFailedStartIsReportedAndChangesNothingElse) {
    Front f;
    f.live.BgmSource = 1;
    f.supervisor.EndOfShow(0);
    f.show.canStart = false;
    f.supervisor.StartShow(100);
    EXPECT_FALSE(f.supervisor.timers.Timer3);
    EXPECT_FALSE(f.supervisor.timers.Timer2);
    EXPECT_TRUE(f.supervisor.timers.tmrChangeTime);
    EXPECT_TRUE(f.mci.log.empty());
    EXPECT_EQ(f.show.calls, std::vector<std::string>{"balloon"});
    // The renderer is back: the next start works as usual.
    f.show.canStart = true;
    f.supervisor.StartShow(200);
    EXPECT_TRUE(f.supervisor.timers.Timer3);
    EXPECT_EQ(f.show.calls.back(), "display on");
}

TEST(Supervision, TheDisplayStaysOnForExactlyTheShowAndTheProcessIsReleasedAtItsEnd) {
    const std::vector<std::string> whole{"display on", "display off", "release"};
    Front normal;
    normal.supervisor.EndOfShow(0);  // the tick at start-up: no show, no call
    EXPECT_TRUE(normal.show.calls.empty());
    normal.supervisor.StartShow(100);
    EXPECT_EQ(normal.show.calls, std::vector<std::string>{"display on"});
    normal.show.window = true;
    normal.supervisor.EndOfShow(150);
    EXPECT_EQ(normal.show.calls.size(), 1u);  // still running
    normal.show.window = false;
    normal.supervisor.EndOfShow(200);
    EXPECT_EQ(normal.show.calls, whole);
    normal.supervisor.EndOfShow(250);  // a late tick calls nothing more
    EXPECT_EQ(normal.show.calls, whole);

    // A renderer that never opens its window, by dying or by the wait running out.
    Front dead;
    dead.supervisor.StartShow(0);
    dead.show.running = false;
    dead.supervisor.EndOfShow(50);
    EXPECT_EQ(dead.show.calls, whole);
    Front slow;
    slow.supervisor.StartShow(0);
    slow.supervisor.EndOfShow(ShowSupervisor::kLaunchWaitMs);
    EXPECT_EQ(slow.show.calls, whole);
}

TEST(Supervision, TheEndStopsTheMusicThisShowStartedWhateverTheSettingsSayNow) {
    Front f;
    f.live.BgmSource = 2;
    f.live.BgmFile = "/music/loop.wav";
    f.supervisor.StartShow(0);
    f.show.window = true;
    f.supervisor.EndOfShow(50);
    // Changed in the settings dialog during the show.
    f.live.BgmSource = 0;
    f.live.BgmFile = "";
    f.show.window = false;
    f.supervisor.EndOfShow(100);
    EXPECT_EQ(f.mci.log, (std::vector<std::string>{"PlaySound /music/loop.wav 131083", "PlaySound stop"}));

    // An unknown file kind plays nothing and starts no timer.
    Front g;
    g.live.BgmSource = 2;
    g.live.BgmFile = "song.ogg";
    g.supervisor.StartShow(0);
    EXPECT_FALSE(g.supervisor.timers.Timer1);
    EXPECT_TRUE(g.mci.log.empty());
}

TEST(Supervision, CdPollRunsUntilItStopsItselfAndIsClosedOnlyWhileRunning) {
    Front f;
    f.live.BgmSource = 1;
    f.supervisor.StartShow(0);
    EXPECT_TRUE(f.supervisor.timers.Timer2);
    EXPECT_EQ(f.mci.log, (std::vector<std::string>{"open cdaudio", "set cdaudio time format tmsf"}));
    f.show.window = true;
    f.supervisor.EndOfShow(50);
    f.show.window = false;
    f.supervisor.EndOfShow(100);
    EXPECT_FALSE(f.supervisor.timers.Timer2);
    EXPECT_EQ(f.mci.log.back(), "close cdaudio");
}
