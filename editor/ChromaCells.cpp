#include "editor/ChromaCells.h"

#include "dsp/RealFft.h"
#include "wav/WaveFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <numeric>

namespace {

constexpr double kTargetRate = 11025;
// Chroma from the bass's low notes to the melody's harmonics.
constexpr double kLowestHz = 60;
constexpr double kHighestHz = 2100;
// Cells quieter than this (about -60 dB full scale) count as silence.
constexpr float kSilentLevel = 0.001F;

// Streams decimated mono samples through frames centred on every eighth of a second and
// gathers each frame into its cell.
class FrameStream {
public:
    FrameStream(ChromaCells& cells, double decimatedRate)
        : out(cells), rate(decimatedRate), fft(FftSize(decimatedRate)), half(fft.Size() / 2),
          window(fft.Size()), power(half + 1), magnitude(half + 1, 0.0F), pitchClass(half + 1, -1) {
        for (size_t i = 0; i < window.size(); ++i) {
            window[i] = static_cast<float>(
                0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) /
                                     static_cast<double>(window.size())));
        }
        for (size_t k = 1; k <= half; ++k) {
            const double hz = static_cast<double>(k) * rate / static_cast<double>(fft.Size());
            if (hz >= kLowestHz && hz <= kHighestHz) {
                const long midi = std::lround(69 + 12 * std::log2(hz / 440));
                pitchClass[k] = static_cast<int32_t>(midi % 12);
                lowBin = std::min(lowBin, k);
                highBin = k;
            }
        }
        // The first frames reach back before the file's start: silence there.
        buffer.assign(half, 0.0F);
        bufferStart = -static_cast<int64_t>(half);
    }

    bool Ready() const { return fft.Ready(); }

    void Add(const float* samples, size_t count) {
        buffer.insert(buffer.end(), samples, samples + count);
        while (frame < frames && Centre(frame) + static_cast<int64_t>(half) <= BufferEnd()) {
            Process();
        }
        const int64_t keep = Centre(frame) - static_cast<int64_t>(half);
        const auto drop = static_cast<size_t>(
            std::clamp<int64_t>(keep - bufferStart, 0, static_cast<int64_t>(buffer.size())));
        buffer.erase(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(drop));
        bufferStart += static_cast<int64_t>(drop);
    }

    void Finish() {
        const std::vector<float> silence(fft.Size(), 0.0F);
        while (frame < frames) {
            Add(silence.data(), silence.size());
        }
    }

    int64_t frames = 0;

private:
    static size_t FftSize(double rate) {
        // A window of at least a third of a second separates neighbouring low semitones.
        size_t n = 256;
        while (static_cast<double>(n) < rate / 3) {
            n *= 2;
        }
        return n;
    }
    int64_t Centre(int64_t j) const {
        return std::llround(static_cast<double>(j) * rate / ChromaCells::kFramesPerSecond);
    }
    int64_t BufferEnd() const { return bufferStart + static_cast<int64_t>(buffer.size()); }

    void Process() {
        const int64_t first = Centre(frame) - static_cast<int64_t>(half) - bufferStart;
        const float* x = &buffer[static_cast<size_t>(first)];
        float* in = fft.Input();
        // Eight running sums keep the loop free of one long chain of additions.
        std::array<float, 8> energy{};
        for (size_t i = 0; i < fft.Size(); i += energy.size()) {
            for (size_t j = 0; j < energy.size(); ++j) {
                energy[j] += x[i + j] * x[i + j];
                in[i + j] = x[i + j] * window[i + j];
            }
        }
        fft.Power(power.data());
        const auto cell = static_cast<size_t>(frame / out.cellFrames);
        float* chroma = &out.chroma[cell * ChromaCells::kPitchClasses];
        // The onset is the rise of the chroma band's magnitudes since the previous frame.
        float flux = 0;
        for (size_t k = lowBin; k <= highBin; ++k) {
            const float m = std::sqrt(power[k]);
            flux += std::max(0.0F, m - magnitude[k]);
            magnitude[k] = m;
            chroma[pitchClass[k]] += m;
        }
        out.level[cell] +=
            std::accumulate(energy.begin(), energy.end(), 0.0F) / static_cast<float>(fft.Size());
        const int64_t second = (frame + 1) / ChromaCells::kFramesPerSecond;
        if (std::abs(frame - second * ChromaCells::kFramesPerSecond) <= 1 &&
            second < static_cast<int64_t>(out.onset.size())) {
            out.onset[static_cast<size_t>(second)] =
                std::max(out.onset[static_cast<size_t>(second)], flux);
        }
        ++frame;
    }

    ChromaCells& out;
    double rate;
    RealFft fft;
    size_t half;
    std::vector<float> window;
    std::vector<float> power;
    std::vector<float> magnitude;
    std::vector<int32_t> pitchClass;
    size_t lowBin = SIZE_MAX;
    size_t highBin = 0;
    std::vector<float> buffer;
    int64_t bufferStart = 0;
    int64_t frame = 0;
};

// Each group of `size` consecutive samples summed and scaled into one output sample.
void SumGroups(const int16_t* samples, size_t groups, size_t size, float scale, float* out) {
    for (size_t g = 0; g < groups; ++g) {
        int32_t sum = 0;
        for (size_t j = 0; j < size; ++j) {
            sum += samples[g * size + j];
        }
        out[g] = static_cast<float>(sum) * scale;
    }
}

template <size_t Size>
void SumGroups(const int16_t* samples, size_t groups, float scale, float* out) {
    SumGroups(samples, groups, Size, scale, out);
}

void FinishCells(ChromaCells& cells) {
    for (int32_t c = 0; c < cells.Cells(); ++c) {
        float& level = cells.level[static_cast<size_t>(c)];
        level = std::sqrt(level / static_cast<float>(cells.cellFrames));
        float* v = &cells.chroma[static_cast<size_t>(c) * ChromaCells::kPitchClasses];
        float mean = 0;
        for (int32_t i = 0; i < ChromaCells::kPitchClasses; ++i) {
            mean += v[i] / ChromaCells::kPitchClasses;
        }
        float norm = 0;
        for (int32_t i = 0; i < ChromaCells::kPitchClasses; ++i) {
            v[i] -= mean;
            norm += v[i] * v[i];
        }
        norm = std::sqrt(norm);
        const float scale = level < kSilentLevel || norm <= 0 ? 0.0F : 1.0F / norm;
        for (int32_t i = 0; i < ChromaCells::kPitchClasses; ++i) {
            v[i] *= scale;
        }
    }
}

} // namespace

WavError ChromaCells::Analyse(const std::string& path) {
    *this = ChromaCells();
    WaveFile file;
    WavError result = file.Open(path);
    if (result != WavError::None) {
        return result;
    }
    const WavHeader& h = file.header;
    const int32_t factor =
        std::max(1, static_cast<int32_t>(std::lround(h.sampleRate / kTargetRate)));
    if (h.durationSeconds > 1800) {
        cellFrames = kFramesPerSecond * ((h.durationSeconds + 3599) / 3600);
    }
    const auto cells =
        static_cast<size_t>(int64_t{h.durationSeconds} * kFramesPerSecond / cellFrames);
    chroma.assign(cells * kPitchClasses, 0.0F);
    level.assign(cells, 0.0F);
    onset.assign(static_cast<size_t>(h.durationSeconds), 0.0F);
    FrameStream stream(*this, static_cast<double>(h.sampleRate) / factor);
    if (!stream.Ready()) {
        *this = ChromaCells();
        return WavError::ReadFailed;
    }
    stream.frames = static_cast<int64_t>(cells) * cellFrames;
    // Downmix and a box filter over each group of `factor` frames, carried across blocks.
    const auto group = static_cast<size_t>(h.channels * factor);
    const float scale = 1.0F / (32768.0F * static_cast<float>(group));
    int32_t carry = 0;
    size_t carried = 0;
    std::vector<float> mono;
    result = file.ReadFrames([&](const int16_t* samples, size_t frames) {
        const size_t count = frames * static_cast<size_t>(h.channels);
        mono.clear();
        size_t i = 0;
        for (; carried > 0 && i < count; ++i) {
            carry += samples[i];
            if (++carried == group) {
                mono.push_back(static_cast<float>(carry) * scale);
                carry = 0;
                carried = 0;
            }
        }
        const size_t groups = (count - i) / group;
        mono.resize(mono.size() + groups);
        float* to = mono.data() + mono.size() - groups;
        // The usual groups (mono or stereo, 1 to 4 frames) get loops of a fixed length.
        switch (group) {
        case 2:
            SumGroups<2>(samples + i, groups, scale, to);
            break;
        case 4:
            SumGroups<4>(samples + i, groups, scale, to);
            break;
        case 8:
            SumGroups<8>(samples + i, groups, scale, to);
            break;
        default:
            SumGroups(samples + i, groups, group, scale, to);
            break;
        }
        i += groups * group;
        for (; i < count; ++i, ++carried) {
            carry += samples[i];
        }
        stream.Add(mono.data(), mono.size());
    });
    if (result != WavError::None) {
        *this = ChromaCells();
        return result;
    }
    stream.Finish();
    seconds = h.durationSeconds;
    FinishCells(*this);
    return WavError::None;
}
