// Background music during a show: an audio CD (one track repeated, or the
// disc as it plays), an MP3 file repeated from its start, or a WAV file looped.
//
// The commands go through a small MCI interface: winmm in the Windows build,
// a recording fake in tests. No failure here is shown to anyone or stops a
// show. Strings are UTF-8; the platform converts at its boundary.
#pragma once

#include <cstdint>
#include <string>

#include "common/settings/settings.h"

namespace lumora {

class MciInterface {
public:
    virtual ~MciInterface() = default;
    // mciSendString: `reply` null means no reply buffer; otherwise a buffer of
    // `replyChars` characters whose text (up to its first NUL) is returned.
    virtual int32_t sendString(const std::string& command, std::string* reply, int replyChars) = 0;
    // mciGetErrorString into a buffer of `bufferChars` characters.
    virtual bool errorString(int32_t code, std::string& text, int bufferChars) = 0;
    // PlaySound: a null name stops the program's sound.
    virtual bool playSound(const std::string* name, uint32_t flags) = 0;
    virtual int waveOutDevices() = 0;
};

// SND_FILENAME | SND_NODEFAULT | SND_ASYNC | SND_LOOP: the name is a file's,
// and a missing or unreadable file plays nothing, as a missing CD or MP3
// does (without SND_NODEFAULT the system's default sound would loop for the
// whole show).
constexpr uint32_t kSndWavLoop = 0x20000 | 0x2 | 0x1 | 0x8;

// What a music file is, by the last three characters of its path, upper-cased.
enum class MusicFileKind { None, Wav, Mp3 };
MusicFileKind musicFileKind(const std::string& path);

class Music {
public:
    Music(MciInterface& mci, const Settings& live) : mci_(mci), live_(live) {}

    // MCI helpers.
    int32_t MciSend(const std::string& command, std::string& text);
    std::string MciStatus(const std::string& command);
    int32_t MciPlay(const std::string& device, const std::string& from, const std::string& to);

    // Audio CD.
    void BgmCdOpen();
    void BgmCdPoll();  // sets CdPolling
    void BgmCdClose();
    bool CdPolling = false;

    // MP3 file (BgmFile).
    void BgmMp3Open();
    bool BgmMp3IsPlaying();
    void BgmMp3Repeat();
    void BgmMp3Close();

    // WAV file (BgmFile).
    void BgmWavPlay();
    void BgmWavStop();

private:
    MciInterface& mci_;
    const Settings& live_;
};

}  // namespace lumora
