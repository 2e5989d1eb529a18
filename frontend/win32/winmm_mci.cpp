// MCI, PlaySound and the wave device count through winmm; see winmm_mci.h.
#include "frontend/win32/winmm_mci.h"

#include <windows.h>
#include <mmsystem.h>

#include <vector>

#include "common/win32/wide_text.h"

namespace lumora::win32 {

static_assert(kSndWavLoop == (SND_FILENAME | SND_NODEFAULT | SND_ASYNC | SND_LOOP));

namespace {
// The text of a buffer up to its first NUL, never past `chars`.
std::string bufferText(const std::vector<wchar_t>& buffer, std::size_t chars) {
    std::size_t length = 0;
    while (length < chars && buffer[length] != L'\0') ++length;
    return narrow(std::wstring_view(buffer.data(), length));
}
}  // namespace

int32_t WinmmMci::sendString(const std::string& command, std::string* reply, int replyChars) {
    const std::wstring wide = widen(command);
    if (!reply || replyChars <= 0) {
        if (reply) reply->clear();
        return static_cast<int32_t>(mciSendStringW(wide.c_str(), nullptr, 0, nullptr));
    }
    // The device is told the buffer holds exactly replyChars characters; one
    // more, zeroed, guards against a reply written without its terminator.
    std::vector<wchar_t> buffer(static_cast<std::size_t>(replyChars) + 1, L'\0');
    const MCIERROR code = mciSendStringW(wide.c_str(), buffer.data(), static_cast<UINT>(replyChars), nullptr);
    *reply = bufferText(buffer, static_cast<std::size_t>(replyChars));
    return static_cast<int32_t>(code);
}

bool WinmmMci::errorString(int32_t code, std::string& text, int bufferChars) {
    if (bufferChars <= 0) return false;
    std::vector<wchar_t> buffer(static_cast<std::size_t>(bufferChars) + 1, L'\0');
    if (!mciGetErrorStringW(static_cast<MCIERROR>(code), buffer.data(), static_cast<UINT>(bufferChars))) return false;
    text = bufferText(buffer, static_cast<std::size_t>(bufferChars));
    return true;
}

bool WinmmMci::playSound(const std::string* name, uint32_t flags) {
    if (!name) return PlaySoundW(nullptr, nullptr, flags) != FALSE;
    const std::wstring wide = widen(*name);
    return PlaySoundW(wide.c_str(), nullptr, flags) != FALSE;
}

int WinmmMci::waveOutDevices() { return static_cast<int>(waveOutGetNumDevs()); }

}  // namespace lumora::win32
