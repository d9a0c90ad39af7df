// Loud sound on its way out: sources near full scale under the effects, and a 5.1 source at
// half level folded down to stereo, played through the real layer into ALSA's file device and
// rendered offline through the same output stage. Nothing may reach full scale, and what was
// within range without effects must come out unchanged. Each case prints what it measured.
#include "AlsaFileSink.h"

#include "platform/AudioOutput.h"
#include "platform/OfflineOutput.h"
#include "platform/dsp/OutputStage.h"
#include "platform/dsp/PeakLimiter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace {

using twtest::AlsaFileSink;

constexpr int rate = AlsaFileSink::rate;
// Three seconds: long enough for the echo's repeats to pile up on a steady tone.
constexpr size_t kFrames = rate * 3;

struct Loudness {
    int peak = 0;
    size_t fullScale = 0; // samples at either end of the 16-bit range
    size_t samples = 0;
};

Loudness Measure(const std::vector<int16_t>& s, size_t fromFrame, size_t frames) {
    Loudness m;
    for (size_t i = fromFrame * 2; i < std::min((fromFrame + frames) * 2, s.size()); ++i) {
        const int v = s[i];
        m.peak = std::max(m.peak, std::abs(v));
        m.fullScale += (v >= 32767 || v <= -32767) ? 1 : 0;
        ++m.samples;
    }
    return m;
}

enum class Sound { tone, pinkNoise };

struct Case {
    const char* what;
    Sound sound;
    uint32_t channels;
    double level; // peak of every channel, full scale 1.0
    bool chorus;
    bool echo;
    bool reverb;
    int expectedPeak; // 0: only "under the limiter's ceiling" is asked
};

// The limiter's ceiling in 16-bit units, with a step for rounding.
const int kCeiling = static_cast<int>(0.966 * 32768.0) + 1;

const Case kCases[] = {
    {"0.9 tone, no effects", Sound::tone, 2, 0.9, false, false, false, 29491},
    {"0.9 tone, echo", Sound::tone, 2, 0.9, false, true, false, 0},
    {"0.71 pink noise, reverb", Sound::pinkNoise, 2, 0.71, false, false, true, 0},
    {"0.9 tone, chorus, echo and reverb", Sound::tone, 2, 0.9, true, true, true, 0},
    {"5.1 tone at half level on every channel", Sound::tone, 6, 0.5, false, false, false, 16384},
};

void Check(const Case& c, const Loudness& m, const std::string& where) {
    std::printf("%s, %s: peak %d, %zu of %zu samples at full scale\n", where.c_str(), c.what,
                m.peak, m.fullScale, m.samples);
    EXPECT_EQ(m.fullScale, 0u) << where << ", " << c.what;
    EXPECT_LE(m.peak, kCeiling) << where << ", " << c.what;
    if (c.expectedPeak != 0) {
        EXPECT_NEAR(m.peak, c.expectedPeak, c.expectedPeak / 100) << where << ", " << c.what;
    }
}

// kFrames of the case's sound, the same on every channel, interleaved: a 440 Hz tone, or pink
// noise (white noise from a fixed seed through a -3 dB per octave filter) scaled to the level.
std::vector<int16_t> Signal(const Case& c) {
    std::vector<double> mono(kFrames);
    uint32_t seed = 12345;
    double b0 = 0.0;
    double b1 = 0.0;
    double b2 = 0.0;
    for (size_t i = 0; i < kFrames; ++i) {
        if (c.sound == Sound::tone) {
            mono[i] = std::sin(2.0 * std::numbers::pi * 440.0 * static_cast<double>(i) / rate);
            continue;
        }
        seed = seed * 1664525u + 1013904223u;
        const double white = static_cast<double>(seed) / 2147483648.0 - 1.0;
        b0 = 0.99765 * b0 + white * 0.0990460;
        b1 = 0.96300 * b1 + white * 0.2965164;
        b2 = 0.57000 * b2 + white * 1.0526913;
        mono[i] = b0 + b1 + b2 + white * 0.1848;
    }
    double peak = 0.0;
    for (double v : mono) {
        peak = std::max(peak, std::fabs(v));
    }
    std::vector<int16_t> pcm(kFrames * c.channels);
    for (size_t i = 0; i < kFrames; ++i) {
        const auto v = static_cast<int16_t>(std::lround(mono[i] / peak * c.level * 32768.0));
        std::fill_n(pcm.begin() + static_cast<std::ptrdiff_t>(i * c.channels), c.channels, v);
    }
    return pcm;
}

// A stream procedure that plays a signal over and over.
struct LoopSource {
    static uint32_t Proc(uint32_t, void* buffer, uint32_t length, void* user) {
        auto* source = static_cast<LoopSource*>(user);
        auto* out = static_cast<int16_t*>(buffer);
        for (uint32_t i = 0; i < length / 2; ++i) {
            out[i] = source->pcm[source->next];
            source->next = (source->next + 1) % source->pcm.size();
        }
        return length / 2 * 2;
    }
    std::vector<int16_t> pcm;
    size_t next = 0;
};

} // namespace

TEST(LoudOutput, thePreviewNeverReachesFullScaleAndLeavesCleanSoundAlone) {
    for (const Case& c : kCases) {
        AlsaFileSink sink(8.0);
        std::unique_ptr<AudioOutput> layer = CreateSystemAudioOutput();
        ASSERT_TRUE(layer->Init(AudioOutput::defaultDevice, rate));
        LoopSource source{Signal(c)};
        const uint32_t stream =
            layer->CreateProcedureStream(rate, c.channels, LoopSource::Proc, &source);
        ASSERT_NE(stream, 0u) << c.what;
        const std::pair<bool, AudioEffectKind> wanted[] = {{c.chorus, AudioEffectKind::Chorus},
                                                           {c.echo, AudioEffectKind::Echo},
                                                           {c.reverb, AudioEffectKind::Reverb}};
        for (const auto& [on, kind] : wanted) {
            if (on) {
                ASSERT_NE(layer->AddEffect(stream, kind, 0), 0u) << c.what;
            }
        }
        ASSERT_TRUE(layer->Play(stream, true));
        EXPECT_TRUE(sink.WaitFor([](const auto& s) {
            const size_t start = twtest::FirstNonZeroFrame(s);
            return start < s.size() / 2 && s.size() / 2 - start >= kFrames;
        }));
        layer->Stop(stream);
        layer->Free();
        const std::vector<int16_t> s = sink.Samples();
        Check(c, Measure(s, twtest::FirstNonZeroFrame(s), kFrames), "preview");
    }
}

TEST(LoudOutput, theRenderedRingtoneNeverReachesFullScale) {
    for (const Case& c : kCases) {
        OfflineOutput::Settings settings;
        settings.frequency = rate;
        settings.channels = c.channels;
        settings.chorus = c.chorus;
        settings.echo = c.echo;
        settings.reverb = c.reverb;
        std::unique_ptr<OfflineOutput> output = OfflineOutput::Create(settings);
        ASSERT_NE(output, nullptr) << c.what;
        const std::vector<int16_t> pcm = Signal(c);
        std::vector<int16_t> out;
        ASSERT_TRUE(output->Process(pcm.data(), kFrames, out));
        ASSERT_TRUE(output->Finish(out));
        Check(c, Measure(out, 0, out.size() / 2), "render");
    }
}

TEST(LoudOutput, theConversionTo16BitsSaturatesAtTheNearestEnd) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float in[] = {0.5f, -0.5f, 1.0f, -1.0f, 1.5f, -1.5f, 1e30f, -1e30f, inf, -inf, nan};
    const int16_t expected[] = {16384, -16384, 32767, -32768, 32767, -32768,
                                32767, -32768, 32767, -32768, 0};
    int16_t out[std::size(in)] = {};
    OutputStage::ToPcm16(in, out, std::size(in));
    for (size_t i = 0; i < std::size(in); ++i) {
        EXPECT_EQ(out[i], expected[i]) << "input " << in[i];
    }
}

TEST(PeakLimiter, holdsPeaksAtTheCeilingBothSidesAlikeAndLetsCleanSoundThrough) {
    PeakLimiter limiter;
    // Clean frames, up to the ceiling itself, pass sample for sample.
    std::vector<float> clean = {0.5f, -0.25f, PeakLimiter::ceiling, -PeakLimiter::ceiling,
                                0.0f, 0.9f};
    const std::vector<float> asGiven = clean;
    limiter.Process(clean.data(), clean.size() / 2);
    EXPECT_EQ(clean, asGiven);

    // A loud left side turns both sides down by the same gain.
    std::vector<float> loud = {1.5f, 0.3f, -2.0f, 0.3f};
    limiter.Process(loud.data(), loud.size() / 2);
    EXPECT_FLOAT_EQ(loud[0], PeakLimiter::ceiling);
    EXPECT_FLOAT_EQ(loud[1], 0.3f * PeakLimiter::ceiling / 1.5f);
    EXPECT_FLOAT_EQ(loud[2], -PeakLimiter::ceiling);
    EXPECT_FLOAT_EQ(loud[3], 0.3f * PeakLimiter::ceiling / 2.0f);

    // Afterwards the gain comes back smoothly: it only rises, by small steps, and is whole
    // again within two seconds of sound; a frame that is not a number asks for nothing.
    std::vector<float> after(static_cast<size_t>(AudioEffect::sampleRate) * 4, 0.5f);
    after[100] = std::numeric_limits<float>::quiet_NaN();
    float previous = limiter.Gain();
    for (size_t i = 0; i < after.size() / 2; ++i) {
        limiter.Process(after.data() + i * 2, 1);
        EXPECT_GE(limiter.Gain(), previous) << "frame " << i;
        EXPECT_LT(limiter.Gain() - previous, 0.001f) << "frame " << i;
        previous = limiter.Gain();
    }
    EXPECT_EQ(limiter.Gain(), 1.0f);
    EXPECT_EQ(after.back(), 0.5f);
}
