// WAV writing; see wav_file.h. Every field is written little-endian byte by
// byte, whatever the machine's order.
#include "renderer/sound/wav_file.h"

namespace lumora {

namespace {

void put16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void put32(uint8_t* p, uint32_t v) {
    put16(p, v & 0xFFFFu);
    put16(p + 2, v >> 16);
}

// The 44-byte header of a PCM file holding `dataBytes` of samples.
void header(uint8_t* h, int sampleRate, int channels, uint32_t dataBytes) {
    const uint32_t blockAlign = static_cast<uint32_t>(channels) * 2u;
    const char* tags[4] = {"RIFF", "WAVE", "fmt ", "data"};
    const int at[4] = {0, 8, 12, 36};
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 4; ++k) h[at[i] + k] = static_cast<uint8_t>(tags[i][k]);
    put32(h + 4, 36u + dataBytes);
    put32(h + 16, 16u);  // the fmt chunk's size
    put16(h + 20, 1u);   // PCM
    put16(h + 22, static_cast<uint32_t>(channels));
    put32(h + 24, static_cast<uint32_t>(sampleRate));
    put32(h + 28, static_cast<uint32_t>(sampleRate) * blockAlign);
    put16(h + 32, blockAlign);
    put16(h + 34, 16u);  // bits per sample
    put32(h + 40, dataBytes);
}

constexpr uint64_t kMaxDataBytes = 0xFFFFFFFFull - 36u;

}  // namespace

WavWriter::~WavWriter() {
    if (file_) close();
}

bool WavWriter::open(const std::string& path, int sampleRate, int channels) {
    if (file_) close();
    channels_ = channels;
    frames_ = 0;
    ok_ = true;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) return false;
    uint8_t h[44];
    header(h, sampleRate, channels, 0);
    // The rate and channels are kept in the header; close() rewrites only
    // the two sizes.
    ok_ = std::fwrite(h, 1, sizeof h, file_) == sizeof h;
    return ok_;
}

bool WavWriter::write(const int16_t* interleaved, std::size_t frames) {
    if (!file_ || !ok_) return false;
    const uint64_t bytes = (frames_ + frames) * static_cast<uint64_t>(channels_) * 2u;
    if (bytes > kMaxDataBytes) return ok_ = false;
    uint8_t buffer[4096];
    const std::size_t samples = frames * static_cast<std::size_t>(channels_);
    for (std::size_t done = 0; done < samples;) {
        const std::size_t n = samples - done < sizeof buffer / 2 ? samples - done : sizeof buffer / 2;
        for (std::size_t i = 0; i < n; ++i) put16(buffer + 2 * i, static_cast<uint16_t>(interleaved[done + i]));
        if (std::fwrite(buffer, 2, n, file_) != n) return ok_ = false;
        done += n;
    }
    frames_ += frames;
    return true;
}

bool WavWriter::close() {
    if (!file_) return false;
    const uint32_t dataBytes = static_cast<uint32_t>(frames_ * static_cast<uint64_t>(channels_) * 2u);
    uint8_t size[4];
    put32(size, 36u + dataBytes);
    bool ok = ok_ && std::fseek(file_, 4, SEEK_SET) == 0 && std::fwrite(size, 1, 4, file_) == 4;
    put32(size, dataBytes);
    ok = ok && std::fseek(file_, 40, SEEK_SET) == 0 && std::fwrite(size, 1, 4, file_) == 4;
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    return ok;
}

}  // namespace lumora
