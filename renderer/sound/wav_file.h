// Writing 16-bit PCM WAV files, 48 kHz stereo, as lumora-render and the
// sound tools make them. The samples are streamed to the file as they come;
// closing fills in the header's sizes. Portable C++ (stdio only).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace lumora {

class WavWriter {
public:
    WavWriter() = default;
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    // Creates the file with a header for no samples yet. False if it cannot
    // be created.
    bool open(const std::string& path, int sampleRate = 48000, int channels = 2);
    // Appends interleaved frames. False on a write error, or once the file
    // would pass the format's 4 GiB limit.
    bool write(const int16_t* interleaved, std::size_t frames);
    // Fills in the sizes and closes; false if anything failed on the way.
    bool close();

    uint64_t frames() const { return frames_; }

private:
    std::FILE* file_ = nullptr;
    int channels_ = 2;
    uint64_t frames_ = 0;
    bool ok_ = true;
};

}  // namespace lumora
