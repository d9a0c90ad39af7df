#include "dsp/ReverbEffect.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
// Unequal loop lengths in frames at 44100 Hz (25 to 37 ms for the combs), so that the
// combs' echoes seldom coincide.
constexpr std::array<size_t, 8> combFrames = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<size_t, 4> allPassFrames = {556, 441, 341, 225};
constexpr size_t stereoSpread = 23;
constexpr float allPassGain = 0.5f;
// Keeps the sum of eight combs near the level of the input.
constexpr float combInputScale = 0.015f * 2.0f;
constexpr float maxDamping = 0.7f;
constexpr float antiDenormal = 1e-18f;

// Four floats that the compiler keeps in one vector register (the vector extension GCC and
// clang share).
using Lanes = float __attribute__((vector_size(16)));

// Turns four vectors' rows into columns.
void Transpose(Lanes (&rows)[4]) {
    const Lanes low01 = __builtin_shufflevector(rows[0], rows[1], 0, 4, 1, 5);
    const Lanes high01 = __builtin_shufflevector(rows[0], rows[1], 2, 6, 3, 7);
    const Lanes low23 = __builtin_shufflevector(rows[2], rows[3], 0, 4, 1, 5);
    const Lanes high23 = __builtin_shufflevector(rows[2], rows[3], 2, 6, 3, 7);
    rows[0] = __builtin_shufflevector(low01, low23, 0, 1, 4, 5);
    rows[1] = __builtin_shufflevector(low01, low23, 2, 3, 6, 7);
    rows[2] = __builtin_shufflevector(high01, high23, 0, 1, 4, 5);
    rows[3] = __builtin_shufflevector(high01, high23, 2, 3, 6, 7);
}

// The gain that makes a loop of the given length lose 60 dB in the given time.
float DecayGain(size_t frames, float seconds) {
    return static_cast<float>(
        std::pow(10.0, -3.0 * static_cast<double>(frames) / (seconds * AudioEffect::sampleRate)));
}
} // namespace

ReverbEffect::ReverbEffect() {
    for (size_t c = 0; c < channels.size(); ++c) {
        const size_t spread = c * stereoSpread;
        for (size_t i = 0; i < combFrames.size(); ++i) {
            Comb& comb = channels[c].combs[i];
            const size_t frames = combFrames[i] + spread;
            comb.line.assign(frames, 0.0f);
            comb.gain = DecayGain(frames, reverbSeconds);
            // Match the loop's treble gain to the shorter treble reverb time at Nyquist.
            const float ratio = DecayGain(frames, reverbSeconds * highFrequencyRatio) / comb.gain;
            comb.damping = std::min(maxDamping, (1.0f - ratio) / (1.0f + ratio));
        }
        for (size_t i = 0; i < allPassFrames.size(); ++i) {
            channels[c].allPasses[i].line.assign(allPassFrames[i] + spread, 0.0f);
        }
    }
}

void ReverbEffect::RenderCombs(size_t n) {
    // Four combs side by side in a vector of four floats: the loops of all sixteen run together,
    // which a frame-by-frame loop over one comb at a time can't, since each waits on its
    // low-pass's last value. Each lane is the scalar sum, product by product, so the sound is
    // the same to the bit.
    constexpr size_t groups = 2 * combCount / 4;
    Lanes keep[groups];
    Lanes pass[groups];
    Lanes gain[groups];
    Lanes lowpass[groups];
    for (size_t k = 0; k < 2 * combCount; ++k) {
        Comb& comb = channels[k / combCount].combs[k % combCount];
        keep[k / 4][k % 4] = comb.damping;
        pass[k / 4][k % 4] = 1.0f - comb.damping;
        gain[k / 4][k % 4] = comb.gain;
        lowpass[k / 4][k % 4] = comb.lowpass;
        const size_t run = std::min(n, comb.line.size() - comb.position);
        std::copy_n(comb.line.begin() + static_cast<ptrdiff_t>(comb.position), run,
                    delayed[k].begin());
        std::copy_n(comb.line.begin(), n - run, delayed[k].begin() + static_cast<ptrdiff_t>(run));
    }
    size_t j = 0;
    for (; j + 4 <= n; j += 4) {
        for (size_t g = 0; g < groups; ++g) {
            // Four frames of four combs, turned into four combs of four frames and back.
            Lanes block[4];
            for (size_t i = 0; i < 4; ++i) {
                std::memcpy(&block[i], &delayed[g * 4 + i][j], sizeof(Lanes));
            }
            Transpose(block);
            const float* feed = &feeds[g * 4 / combCount][j];
            for (size_t q = 0; q < 4; ++q) {
                lowpass[g] = block[q] * pass[g] + lowpass[g] * keep[g];
                block[q] = feed[q] + gain[g] * lowpass[g];
            }
            Transpose(block);
            for (size_t i = 0; i < 4; ++i) {
                std::memcpy(&written[g * 4 + i][j], &block[i], sizeof(Lanes));
            }
        }
    }
    for (; j < n; ++j) {
        for (size_t g = 0; g < groups; ++g) {
            const Lanes in = {delayed[g * 4][j], delayed[g * 4 + 1][j], delayed[g * 4 + 2][j],
                              delayed[g * 4 + 3][j]};
            const float feed = feeds[g * 4 / combCount][j];
            lowpass[g] = in * pass[g] + lowpass[g] * keep[g];
            const Lanes out = feed + gain[g] * lowpass[g];
            for (size_t lane = 0; lane < 4; ++lane) {
                written[g * 4 + lane][j] = out[lane];
            }
        }
    }
    for (size_t k = 0; k < 2 * combCount; ++k) {
        Comb& comb = channels[k / combCount].combs[k % combCount];
        comb.lowpass = lowpass[k / 4][k % 4];
        const size_t run = std::min(n, comb.line.size() - comb.position);
        std::copy_n(written[k].begin(), run,
                    comb.line.begin() + static_cast<ptrdiff_t>(comb.position));
        std::copy_n(written[k].begin() + static_cast<ptrdiff_t>(run), n - run, comb.line.begin());
        comb.position = run < n ? n - run : comb.position + run;
        if (comb.position == comb.line.size()) {
            comb.position = 0;
        }
    }
    // Each side's combs summed in their order.
    for (size_t c = 0; c < 2; ++c) {
        sums[c].fill(0.0f);
        for (size_t i = 0; i < combCount; ++i) {
            for (size_t f = 0; f < n; ++f) {
                sums[c][f] += delayed[c * combCount + i][f];
            }
        }
    }
}

void ReverbEffect::RenderAllPasses(Channel& channel, float* sum, size_t n) {
    for (AllPass& pass : channel.allPasses) {
        // In runs that end where the line wraps round.
        for (size_t j = 0; j < n;) {
            const size_t run = std::min(n - j, pass.line.size() - pass.position);
            float* line = pass.line.data() + pass.position;
            for (size_t r = 0; r < run; ++r) {
                const float delayedSample = line[r];
                line[r] = sum[j + r] + delayedSample * allPassGain;
                sum[j + r] = delayedSample - sum[j + r];
            }
            pass.position = pass.position + run == pass.line.size() ? 0 : pass.position + run;
            j += run;
        }
    }
}

void ReverbEffect::Process(float* frames, size_t count) {
    for (size_t done = 0; done < count;) {
        const size_t n = std::min(piece, count - done);
        float* io = frames + done * 2;
        for (size_t j = 0; j < n; ++j) {
            const float fade = NextFade();
            for (size_t c = 0; c < 2; ++c) {
                feeds[c][j] = fade * io[j * 2 + c] * inputGain * combInputScale + antiDenormal;
            }
        }
        RenderCombs(n);
        for (size_t c = 0; c < 2; ++c) {
            RenderAllPasses(channels[c], sums[c].data(), n);
            for (size_t j = 0; j < n; ++j) {
                io[j * 2 + c] += reverbMix * sums[c][j];
            }
        }
        done += n;
    }
}
