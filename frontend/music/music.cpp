// The music module; see music.h. Command texts, buffer sizes and reply
// handling are those the devices have always been driven with.
#include "frontend/music/music.h"

#include <optional>

#include "common/settings/read_settings.h"

namespace lumora {

namespace {

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string first7(const std::string& s) { return s.substr(0, 7); }

}  // namespace

MusicFileKind musicFileKind(const std::string& path) {
    if (path.size() < 3) return MusicFileKind::None;
    const std::string ext = upper(path.substr(path.size() - 3));
    if (ext == "WAV") return MusicFileKind::Wav;
    if (ext == "MP3") return MusicFileKind::Mp3;
    return MusicFileKind::None;
}

int32_t Music::MciSend(const std::string& command, std::string& text) {
    if (command.empty()) {
        text = "コマンド文字列が指定されていません";
        return -1;
    }
    std::string reply;
    const int32_t code = mci_.sendString(command, &reply, 512);
    if (code == 0) {
        text = reply;
        return 0;
    }
    std::string error;
    if (mci_.errorString(code, error, 256)) text = error;
    else text = "Error (文字列が取れません)";
    return code;
}

std::string Music::MciStatus(const std::string& command) {
    std::string text;
    const int32_t code = MciSend(command, text);
    if (code != 0) return "Error:" + std::to_string(code);
    return text;
}

int32_t Music::MciPlay(const std::string& device, const std::string& from, const std::string& to) {
    std::string command = "play " + device;
    if (!from.empty()) command += " from " + from;
    if (!to.empty()) command += " to " + to;
    std::string text;
    return MciSend(command, text);
}

void Music::BgmCdOpen() {
    // Playback starts at the first poll, 200 ms later.
    mci_.sendString("open cdaudio", nullptr, 0);
    mci_.sendString("set cdaudio time format tmsf", nullptr, 0);
}

void Music::BgmCdPoll() {
    CdPolling = true;
    const std::string current = MciStatus("status cdaudio current track");
    // No disc, no drive, device not ready: the poll stops for the rest of the show.
    if (upper(current).find("ERR") != std::string::npos) {
        CdPolling = false;
        return;
    }
    const std::string tracks = MciStatus("status cdaudio number of tracks");
    if (upper(tracks).find("ERR") != std::string::npos) {
        CdPolling = false;
        return;
    }
    std::string modeReply;
    mci_.sendString("status cdaudio mode", &modeReply, 255);
    const std::string mode = first7(modeReply);
    if (live_.BgmCdTrack != 0) {
        // A track reply that is not a number ends the polling, as any error
        // in the tick does.
        const std::optional<int16_t> currentTrack = convertSettingNumber(current, Rounding::HalfToEven);
        if (!currentTrack) {
            CdPolling = false;
            return;
        }
        if (mode == "stopped" || *currentTrack != live_.BgmCdTrack) {
            // The selected track from its start, again whenever playback
            // passes into the next track or stops.
            const std::string position = MciStatus("status cdaudio position track " + std::to_string(live_.BgmCdTrack));
            MciPlay("cdaudio", position, "");
        }
    } else if (mode == "stopped") {
        MciPlay("cdaudio", "", "");
    }
}

void Music::BgmCdClose() {
    mci_.sendString("stop cdaudio", nullptr, 0);
    mci_.sendString("close cdaudio", nullptr, 0);
}

void Music::BgmMp3Open() {
    // Quoted, so a path with spaces opens.
    if (mci_.sendString("open \"" + live_.BgmFile + "\" type MPEGVideo Alias MP3Play", nullptr, 0) == 0)
        mci_.sendString("play MP3Play", nullptr, 0);
}

bool Music::BgmMp3IsPlaying() {
    std::string reply;
    mci_.sendString("status MP3Play mode", &reply, 30);
    return first7(reply) == "playing";
}

void Music::BgmMp3Repeat() {
    if (BgmMp3IsPlaying()) return;
    mci_.sendString("stop MP3Play", nullptr, 0);
    mci_.sendString("play MP3Play from 0", nullptr, 0);
}

void Music::BgmMp3Close() {
    mci_.sendString("stop MP3Play", nullptr, 0);
    mci_.sendString("close MP3Play", nullptr, 0);
}

void Music::BgmWavPlay() {
    if (mci_.waveOutDevices() <= 0) return;
    mci_.playSound(&live_.BgmFile, kSndWavLoop);
}

void Music::BgmWavStop() { mci_.playSound(nullptr, 0); }

}  // namespace lumora
