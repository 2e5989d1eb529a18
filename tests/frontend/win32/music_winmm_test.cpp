// The music module over the real winmm under Wine: an MP3 in a folder whose
// name holds a space and Japanese characters opens and plays, restarts after
// its end, and stops and closes; the CD poll gives up at once with no drive.
// (WAV is not here: an asynchronous PlaySound reports success whatever the
// file, so there would be nothing to observe.) Every command goes to the real devices
// through a recorder that keeps what was sent and what came back.
//
// music_winmm_test.sh prepares the sound: a null ALSA device in the HOME of
// the Wine process and a short MP3 in LUMORA_TEST_MUSIC_DIR (a
// Windows path). Without them the sound cases skip and say why.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "frontend/music/music.h"
#include "common/win32/wide_text.h"
#include "frontend/win32/winmm_mci.h"

using namespace lumora;
using namespace lumora::win32;

namespace {

struct Sent {
    std::string command;
    int32_t code;
};

class RecordingMci : public MciInterface {
public:
    int32_t sendString(const std::string& command, std::string* reply, int replyChars) override {
        const int32_t code = real_.sendString(command, reply, replyChars);
        sent.push_back({command, code});
        return code;
    }
    bool errorString(int32_t code, std::string& text, int bufferChars) override {
        return real_.errorString(code, text, bufferChars);
    }
    bool playSound(const std::string* name, uint32_t flags) override { return real_.playSound(name, flags); }
    int waveOutDevices() override { return real_.waveOutDevices(); }

    // The result of the last command with this text; -999 when never sent.
    int32_t codeOf(const std::string& command) const {
        for (auto it = sent.rbegin(); it != sent.rend(); ++it)
            if (it->command == command) return it->code;
        return -999;
    }
    bool wasSent(const std::string& prefix) const {
        for (const Sent& s : sent)
            if (s.command.rfind(prefix, 0) == 0) return true;
        return false;
    }

    std::vector<Sent> sent;

private:
    WinmmMci real_;
};

// Polls `done` every 50 ms for up to `limitMs`.
template <class F>
bool within(int limitMs, F done) {
    for (int waited = 0; waited <= limitMs; waited += 50) {
        if (done()) return true;
        Sleep(50);
    }
    return false;
}

// The prepared music folder, or empty (the skip reason in `why`).
std::wstring musicFolder(std::string& why) {
    const char* dir = std::getenv("LUMORA_TEST_MUSIC_DIR");
    if (!dir || !*dir) {
        const char* reason = std::getenv("LUMORA_TEST_MUSIC_SKIP");
        why = reason ? reason : "LUMORA_TEST_MUSIC_DIR is not set (run through music_winmm_test.sh)";
        return {};
    }
    return widen(dir);
}

// Copies a prepared file into a folder named with a space and Japanese
// characters, so the path reaches MCI only through the wide calls.
std::wstring copyToJapaneseFolder(const std::wstring& from, const std::wstring& name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"\u82B1\u706B music";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring to = folder + L"\\" + name;
    return CopyFileW(from.c_str(), to.c_str(), FALSE) ? to : std::wstring();
}

}  // namespace

TEST(WinmmMusic, CdPollGivesUpAtItsFirstTickWithNoDrive) {
    RecordingMci mci;
    Settings live;
    live.BgmSource = 1;
    live.BgmCdTrack = 3;
    Music music(mci, live);
    music.BgmCdOpen();
    EXPECT_NE(mci.codeOf("open cdaudio"), 0) << "this machine has a CD drive: the case needs none";
    music.BgmCdPoll();
    EXPECT_FALSE(music.CdPolling);
    EXPECT_NE(mci.codeOf("status cdaudio current track"), 0);
    EXPECT_FALSE(mci.wasSent("play"));
    EXPECT_FALSE(mci.wasSent("status cdaudio number of tracks"));
    music.BgmCdClose();  // failing commands, no effect

    // The error text comes from winmm (not the fallback), and the status
    // form carries the code.
    std::string text;
    const int32_t code = music.MciSend("status cdaudio current track", text);
    EXPECT_NE(code, 0);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find("Error ("), std::string::npos) << text;
    EXPECT_EQ(music.MciStatus("status cdaudio current track"), "Error:" + std::to_string(code));
}

TEST(WinmmMusic, Mp3PlaysRestartsAfterItsEndAndCloses) {
    std::string why;
    const std::wstring folder = musicFolder(why);
    if (folder.empty()) GTEST_SKIP() << why;
    RecordingMci mci;
    if (mci.waveOutDevices() <= 0)
        GTEST_SKIP() << "no wave output device: the null ALSA device (HOME/.asoundrc) was not found";
    const std::wstring mp3 = copyToJapaneseFolder(folder + L"\\tone.mp3", L"\u66F2 one.mp3");
    ASSERT_FALSE(mp3.empty());

    Settings live;
    live.BgmSource = 2;
    live.BgmFile = narrow(mp3);
    Music music(mci, live);
    music.BgmMp3Open();
    ASSERT_EQ(mci.codeOf("open \"" + live.BgmFile + "\" type MPEGVideo Alias MP3Play"), 0)
        << "the MP3 did not open (MP3 decoding needs gstreamer1.0-plugins-good)";
    EXPECT_EQ(mci.codeOf("play MP3Play"), 0);
    EXPECT_TRUE(music.BgmMp3IsPlaying());

    // The file lasts about a second; it ends by itself.
    EXPECT_TRUE(within(10000, [&] { return !music.BgmMp3IsPlaying(); })) << "still playing after 10 s";
    // Timer1's tick finds it stopped and starts it from its beginning.
    music.BgmMp3Repeat();
    EXPECT_EQ(mci.codeOf("stop MP3Play"), 0);
    EXPECT_EQ(mci.codeOf("play MP3Play from 0"), 0);
    EXPECT_TRUE(music.BgmMp3IsPlaying());
    // A tick while it plays sends nothing more.
    const std::size_t before = mci.sent.size();
    music.BgmMp3Repeat();
    EXPECT_EQ(mci.sent.size(), before + 1);  // the mode query only

    music.BgmMp3Close();
    EXPECT_EQ(mci.codeOf("stop MP3Play"), 0);
    EXPECT_EQ(mci.codeOf("close MP3Play"), 0);
    EXPECT_FALSE(music.BgmMp3IsPlaying());
    EXPECT_NE(mci.codeOf("status MP3Play mode"), 0);  // the alias is gone
    DeleteFileW(mp3.c_str());
}
