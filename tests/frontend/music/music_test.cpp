// The music module's command sequences over a scripted MCI.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "frontend/music/music.h"
#include "frontend/startup/file_exists.h"

using namespace lumora;

namespace {

// Answers commands from a script: command -> (code, reply); unknown commands
// succeed with an empty reply.
struct ScriptedMci : MciInterface {
    int32_t sendString(const std::string& command, std::string* reply, int replyChars) override {
        calls.push_back({command, reply != nullptr, replyChars});
        const auto it = script.find(command);
        const int32_t code = it == script.end() ? 0 : it->second.first;
        if (reply) *reply = it == script.end() ? "" : it->second.second;
        return code;
    }
    bool errorString(int32_t code, std::string& text, int) override {
        if (code == 999) return false;
        text = "MCI error " + std::to_string(code);
        return true;
    }
    bool playSound(const std::string* name, uint32_t flags) override {
        sounds.push_back(name ? *name + "/" + std::to_string(flags) : "stop");
        return true;
    }
    int waveOutDevices() override { return devices; }
    std::vector<std::string> commands() const {
        std::vector<std::string> out;
        for (const auto& c : calls) out.push_back(c.command);
        return out;
    }
    struct Call { std::string command; bool reply; int chars; };
    std::map<std::string, std::pair<int32_t, std::string>> script;
    std::vector<Call> calls;
    std::vector<std::string> sounds;
    int devices = 1;
};

}  // namespace

TEST(Mci, SendStatusAndPlayHelpers) {
    ScriptedMci mci;
    Settings live;
    Music m(mci, live);
    std::string text;
    EXPECT_EQ(m.MciSend("", text), -1);
    EXPECT_EQ(text, "コマンド文字列が指定されていません");
    EXPECT_EQ(m.MciStatus(""), "Error:-1");
    EXPECT_TRUE(mci.calls.empty());

    mci.script["status x"] = {277, ""};
    EXPECT_EQ(m.MciSend("status x", text), 277);
    EXPECT_EQ(text, "MCI error 277");
    EXPECT_EQ(m.MciStatus("status x"), "Error:277");
    mci.script["status y"] = {999, ""};
    m.MciSend("status y", text);
    EXPECT_EQ(text, "Error (文字列が取れません)");
    EXPECT_EQ(mci.calls.back().chars, 512);

    m.MciPlay("cdaudio", "", "");
    m.MciPlay("cdaudio", "03:00:00:00", "");
    m.MciPlay("cdaudio", "1", "2");
    const auto c = mci.commands();
    EXPECT_EQ(c[c.size() - 3], "play cdaudio");
    EXPECT_EQ(c[c.size() - 2], "play cdaudio from 03:00:00:00");
    EXPECT_EQ(c[c.size() - 1], "play cdaudio from 1 to 2");
}

TEST(CdMusic, ASelectedTrackIsPlayedAndRestarted) {
    ScriptedMci mci;
    Settings live;
    live.BgmCdTrack = 3;
    Music m(mci, live);
    mci.script["status cdaudio current track"] = {0, "1"};
    mci.script["status cdaudio number of tracks"] = {0, "5"};
    mci.script["status cdaudio mode"] = {0, "stopped"};
    mci.script["status cdaudio position track 3"] = {0, "03:00:00:00"};
    m.BgmCdPoll();
    EXPECT_TRUE(m.CdPolling);
    EXPECT_EQ(mci.commands().back(), "play cdaudio from 03:00:00:00");
    EXPECT_EQ(mci.calls[2].chars, 255);  // the mode query's own buffer

    // Playing track 3: nothing to do. Passed into track 4: start 3 again.
    mci.script["status cdaudio mode"] = {0, "playing"};
    mci.script["status cdaudio current track"] = {0, "3"};
    mci.calls.clear();
    m.BgmCdPoll();
    EXPECT_EQ(mci.calls.size(), 3u);
    mci.script["status cdaudio current track"] = {0, "4"};
    m.BgmCdPoll();
    EXPECT_EQ(mci.commands().back(), "play cdaudio from 03:00:00:00");
}

TEST(CdMusic, NoDiscStopsThePollAndATrackBeyondTheDiscKeepsTrying) {
    ScriptedMci mci;
    Settings live;
    Music m(mci, live);
    mci.script["status cdaudio current track"] = {266, ""};
    m.BgmCdPoll();
    EXPECT_FALSE(m.CdPolling);
    EXPECT_EQ(mci.calls.size(), 1u);  // no play command

    ScriptedMci disc;
    Settings seven;
    seven.BgmCdTrack = 7;
    Music n(disc, seven);
    disc.script["status cdaudio current track"] = {0, "1"};
    disc.script["status cdaudio number of tracks"] = {0, "5"};
    disc.script["status cdaudio mode"] = {0, "stopped"};
    disc.script["status cdaudio position track 7"] = {289, ""};
    n.BgmCdPoll();
    EXPECT_TRUE(n.CdPolling);
    EXPECT_EQ(disc.commands().back(), "play cdaudio from Error:289");

    // The whole disc: (re)started whenever the device reports "stopped".
    ScriptedMci whole;
    Settings none;
    Music w(whole, none);
    whole.script["status cdaudio mode"] = {0, "stopped"};
    w.BgmCdPoll();
    EXPECT_EQ(whole.commands().back(), "play cdaudio");

    // A track reply that is not a number ends the polling.
    disc.script["status cdaudio current track"] = {0, "??"};
    n.BgmCdPoll();
    EXPECT_FALSE(n.CdPolling);
}

TEST(Mp3Music, QuotedOpenRepeatAndClose) {
    ScriptedMci mci;
    Settings live;
    live.BgmFile = "C:\\My Music\\Night Sky.mp3";
    Music m(mci, live);
    m.BgmMp3Open();
    EXPECT_EQ(mci.commands(), (std::vector<std::string>{
                                  "open \"C:\\My Music\\Night Sky.mp3\" type MPEGVideo Alias MP3Play", "play MP3Play"}));
    EXPECT_FALSE(mci.calls[0].reply);

    mci.calls.clear();
    mci.script["status MP3Play mode"] = {0, "playing"};
    m.BgmMp3Repeat();
    EXPECT_EQ(mci.calls.size(), 1u);
    EXPECT_EQ(mci.calls[0].chars, 30);
    mci.script["status MP3Play mode"] = {0, "stopped"};
    m.BgmMp3Repeat();
    EXPECT_EQ(mci.commands(),
              (std::vector<std::string>{"status MP3Play mode", "status MP3Play mode", "stop MP3Play", "play MP3Play from 0"}));
    mci.calls.clear();
    m.BgmMp3Close();
    EXPECT_EQ(mci.commands(), (std::vector<std::string>{"stop MP3Play", "close MP3Play"}));

    // A failed open plays nothing.
    ScriptedMci fail;
    fail.script["open \"C:\\My Music\\Night Sky.mp3\" type MPEGVideo Alias MP3Play"] = {277, ""};
    Music f(fail, live);
    f.BgmMp3Open();
    EXPECT_EQ(fail.calls.size(), 1u);
}

TEST(WavMusic, LoopsOnlyWithAnOutputDevice) {
    ScriptedMci mci;
    Settings live;
    live.BgmFile = "D:\\loop.wav";
    Music m(mci, live);
    m.BgmWavPlay();
    m.BgmWavStop();
    EXPECT_EQ(mci.sounds, (std::vector<std::string>{"D:\\loop.wav/131083", "stop"}));
    mci.devices = 0;
    mci.sounds.clear();
    m.BgmWavPlay();
    EXPECT_TRUE(mci.sounds.empty());
}

TEST(MusicFiles, KindByTheLastThreeCharactersUpperCased) {
    EXPECT_EQ(musicFileKind("a.mp3"), MusicFileKind::Mp3);
    EXPECT_EQ(musicFileKind("A.Mp3"), MusicFileKind::Mp3);
    EXPECT_EQ(musicFileKind("x.WAV"), MusicFileKind::Wav);
    EXPECT_EQ(musicFileKind("x.ogg"), MusicFileKind::None);
    EXPECT_EQ(musicFileKind("p3"), MusicFileKind::None);
    EXPECT_EQ(musicFileKind("xmp3"), MusicFileKind::Mp3);  // only the last three characters count
}

TEST(FileExistsTest, FoldersEmptyPathsAndOneTrailingBackslash) {
    std::vector<std::string> asked;
    auto probe = [&](const std::string& p) { asked.push_back(p); return p == "C:\\a.txt"; };
    EXPECT_TRUE(FileExists("C:\\a.txt\\", probe));
    EXPECT_FALSE(FileExists("C:\\a.txt\\\\", probe));  // only one is removed
    EXPECT_FALSE(FileExists("", probe));
    EXPECT_FALSE(FileExists("\\", probe));
    EXPECT_EQ(asked, (std::vector<std::string>{"C:\\a.txt", "C:\\a.txt\\"}));

    const std::string dir = ::testing::TempDir();
    EXPECT_FALSE(openableForReading(dir));  // a folder
    const std::string file = dir + "lumora_exists_probe.txt";
    FILE* f = std::fopen(file.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_TRUE(openableForReading(file));
    std::remove(file.c_str());
    EXPECT_FALSE(openableForReading(file));
}
