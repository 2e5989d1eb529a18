// The music module's device interface over winmm: MCI command strings, MCI
// error texts, PlaySound and the count of wave output devices. Commands and
// replies are UTF-8 on the music module's side and UTF-16 at winmm, so a
// music file path in any script reaches the device intact.
#pragma once

#include "frontend/music/music.h"

namespace lumora::win32 {

class WinmmMci : public MciInterface {
public:
    int32_t sendString(const std::string& command, std::string* reply, int replyChars) override;
    bool errorString(int32_t code, std::string& text, int bufferChars) override;
    bool playSound(const std::string* name, uint32_t flags) override;
    int waveOutDevices() override;
};

}  // namespace lumora::win32
