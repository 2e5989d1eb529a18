// waveOut on a thread of its own; see sound_output.h.
//
// Four 20 ms buffers go round: whenever the device hands one back (an event
// it sets, CALLBACK_EVENT), the stream fills it again and it is queued. A
// device that stops handing buffers back for two seconds counts as gone.
#include "renderer/win32/sound_output.h"

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <string>
#include <vector>

#include "common/win32/debug_log.h"

namespace lumora::win32 {

struct SoundOutput::Shared {
    std::shared_ptr<SoundStream> stream;
    std::atomic<bool> stop{false};
    HANDLE wake = nullptr;  // auto-reset: a buffer came back, or stop was asked

    ~Shared() {
        if (wake) CloseHandle(wake);
    }
};

namespace {

constexpr int kBuffers = 4;
constexpr int kFrames = kSampleRate / 50;  // 20 ms
constexpr DWORD kStalledMs = 2000;

void logError(const char* what, MMRESULT result) {
    logLine(std::string(what) + " failed (error " + std::to_string(result) + "); the show goes on silent");
}

// The open device and its prepared buffers; reset, unprepared and closed on
// every way out.
class WaveOut {
public:
    ~WaveOut() {
        if (!device_) return;
        waveOutReset(device_);
        for (WAVEHDR& h : headers_)
            if (h.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(device_, &h, sizeof h);
        waveOutClose(device_);
    }

    bool open(HANDLE wake) {
        WAVEFORMATEX format{};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = 2;
        format.nSamplesPerSec = kSampleRate;
        format.wBitsPerSample = 16;
        format.nBlockAlign = 4;
        format.nAvgBytesPerSec = kSampleRate * 4;
        const MMRESULT r = waveOutOpen(&device_, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(wake), 0,
                                       CALLBACK_EVENT);
        if (r != MMSYSERR_NOERROR) {
            device_ = nullptr;
            logLine("no sound device (waveOutOpen error " + std::to_string(r) + "); the show goes on silent");
            return false;
        }
        samples_.assign(static_cast<std::size_t>(kBuffers) * kFrames * 2, 0);
        for (int i = 0; i < kBuffers; ++i) {
            WAVEHDR& h = headers_[i];
            h = WAVEHDR{};
            h.lpData = reinterpret_cast<LPSTR>(&samples_[static_cast<std::size_t>(i) * kFrames * 2]);
            h.dwBufferLength = kFrames * 4;
            const MMRESULT p = waveOutPrepareHeader(device_, &h, sizeof h);
            if (p != MMSYSERR_NOERROR) {
                logError("waveOutPrepareHeader", p);
                return false;
            }
        }
        return true;
    }

    // Fills buffer i from the stream and queues it.
    bool play(int i, SoundStream& stream) {
        WAVEHDR& h = headers_[i];
        stream.render(reinterpret_cast<int16_t*>(h.lpData), kFrames);
        const MMRESULT r = waveOutWrite(device_, &h, sizeof h);
        if (r != MMSYSERR_NOERROR) {
            logError("waveOutWrite", r);
            return false;
        }
        return true;
    }

    bool done(int i) const { return (headers_[i].dwFlags & WHDR_DONE) != 0; }

private:
    HWAVEOUT device_ = nullptr;
    WAVEHDR headers_[kBuffers] = {};
    std::vector<int16_t> samples_;
};

void play(SoundOutput::Shared& shared) {
    WaveOut device;
    if (!device.open(shared.wake)) return;
    logLine("sound plays through waveOut");
    shared.stream->setLead(static_cast<double>(kBuffers * kFrames) / kSampleRate);
    for (int i = 0; i < kBuffers; ++i)
        if (!device.play(i, *shared.stream)) return;
    DWORD lastReturned = GetTickCount();
    while (!shared.stop.load()) {
        WaitForSingleObject(shared.wake, 200);
        if (shared.stop.load()) break;
        bool returned = false;
        for (int i = 0; i < kBuffers; ++i) {
            if (!device.done(i)) continue;
            if (!device.play(i, *shared.stream)) return;
            returned = true;
        }
        const DWORD now = GetTickCount();
        if (returned) {
            lastReturned = now;
        } else if (now - lastReturned > kStalledMs) {
            logLine("the sound device stopped playing; the show goes on silent");
            return;
        }
    }
}

DWORD WINAPI soundThread(LPVOID parameter) {
    // The thread's own reference to what it shares with the window.
    const std::unique_ptr<std::shared_ptr<SoundOutput::Shared>> shared(
        static_cast<std::shared_ptr<SoundOutput::Shared>*>(parameter));
    play(**shared);
    return 0;
}

}  // namespace

bool SoundOutput::start(std::shared_ptr<SoundStream> stream) {
    stop();
    auto shared = std::make_shared<Shared>();
    shared->stream = std::move(stream);
    shared->wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!shared->wake) {
        logFailure("CreateEventW");
        return false;
    }
    auto* parameter = new std::shared_ptr<Shared>(shared);
    const HANDLE thread = CreateThread(nullptr, 0, soundThread, parameter, 0, nullptr);
    if (!thread) {
        logFailure("CreateThread");
        delete parameter;
        return false;
    }
    // Sound must not stutter while the show (at the lowest priority) draws.
    if (!SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST)) logFailure("SetThreadPriority");
    if (thread_) CloseHandle(thread_);
    thread_ = thread;  // never joined while the show runs: stopping only asks
    shared_ = std::move(shared);
    return true;
}

void SoundOutput::stop() {
    if (!shared_) return;
    shared_->stop.store(true);
    SetEvent(shared_->wake);
    shared_.reset();
}

void SoundOutput::letFinish(unsigned long ms) {
    stop();
    if (!thread_) return;
    if (WaitForSingleObject(thread_, ms) == WAIT_TIMEOUT) logLine("the sound thread did not end in time");
    CloseHandle(thread_);
    thread_ = nullptr;
}

SoundOutput::~SoundOutput() {
    stop();
    if (thread_) CloseHandle(thread_);
}

}  // namespace lumora::win32
