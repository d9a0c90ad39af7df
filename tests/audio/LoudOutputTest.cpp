// Loud sound on its way out: tones near full scale under the effects, and a 5.1 tone at half
// level folded down to stereo, played through the real layer into ALSA's file device and
// rendered offline through the same output stage. Nothing may reach full scale, and what was
// within range without effects comes out unchanged. Each case prints what it measured.
#include "AlsaFileSink.h"
#include "AudioTestSignals.h"

#include "dsp/OutputStage.h"
#include "platform/AudioOutput.h"
#include "platform/OfflineOutput.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace {

using twtest::rate;
constexpr size_t kFrames = rate * 3; // long enough for the echo's repeats to pile up

struct Case {
    const char* what;
    uint32_t channels;
    int peak; // of every channel
    bool chorus, echo, reverb;
    int expectedPeak; // 0: only "under the limiter's ceiling" is asked
};

const Case kCases[] = {
    {"0.9 tone, no effects", 2, 29491, false, false, false, 29491},
    {"0.9 tone, echo", 2, 29491, false, true, false, 0},
    {"0.9 tone, reverb", 2, 29491, false, false, true, 0},
    {"0.9 tone, chorus, echo and reverb", 2, 29491, true, true, true, 0},
    {"5.1 tone at half level", 6, 16384, false, false, false, 16384},
};

// Peak and samples at either end of the 16-bit range over kFrames from the first sound.
void Check(const Case& c, const std::vector<int16_t>& s, const char* where) {
    const size_t from = twtest::FirstNonZeroFrame(s) * 2;
    const size_t to = std::min(s.size(), from + kFrames * 2);
    int peak = 0;
    size_t fullScale = 0;
    for (size_t i = from; i < to; ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(s[i])));
        fullScale += std::abs(static_cast<int>(s[i])) >= 32767 ? 1 : 0;
    }
    std::printf("%s, %s: peak %d, %zu of %zu samples at full scale\n", where, c.what, peak,
                fullScale, to - from);
    EXPECT_EQ(fullScale, 0u) << where << ", " << c.what;
    EXPECT_LE(peak, static_cast<int>(PeakLimiter::ceiling * 32768.0f) + 1) << where;
    if (c.expectedPeak != 0) {
        EXPECT_NEAR(peak, c.expectedPeak, c.expectedPeak / 100) << where << ", " << c.what;
    }
}

} // namespace

TEST(LoudOutput, neitherThePreviewNorTheRenderedRingtoneReachesFullScale) {
    for (const Case& c : kCases) {
        twtest::SineSource tone;
        tone.channels = c.channels;
        tone.peak = c.peak;
        {
            twtest::AlsaFileSink sink(8.0);
            std::unique_ptr<AudioOutput> layer = CreateSystemAudioOutput();
            ASSERT_TRUE(layer->Init(AudioOutput::defaultDevice, rate));
            const uint32_t stream =
                layer->CreateProcedureStream(rate, c.channels, twtest::SineSource::Proc, &tone);
            for (auto [on, kind] : {std::pair{c.chorus, AudioEffectKind::Chorus},
                                    std::pair{c.echo, AudioEffectKind::Echo},
                                    std::pair{c.reverb, AudioEffectKind::Reverb}}) {
                ASSERT_TRUE(!on || layer->AddEffect(stream, kind, 0) != 0) << c.what;
            }
            ASSERT_TRUE(layer->Play(stream, true));
            EXPECT_TRUE(sink.WaitFor([](const auto& s) {
                return s.size() / 2 >= twtest::FirstNonZeroFrame(s) + kFrames;
            }));
            layer->Free();
            Check(c, sink.Samples(), "preview");
        }
        OfflineOutput::Settings settings{
            rate, c.channels, {.chorus = c.chorus, .echo = c.echo, .reverb = c.reverb}};
        std::unique_ptr<OfflineOutput> output = OfflineOutput::Create(settings);
        ASSERT_NE(output, nullptr);
        std::vector<int16_t> pcm(kFrames * c.channels);
        twtest::SineSource::Proc(0, pcm.data(), static_cast<uint32_t>(pcm.size() * 2), &tone);
        std::vector<int16_t> out;
        ASSERT_TRUE(output->Process(pcm.data(), kFrames, out) && output->Finish(out));
        Check(c, out, "render");
    }
}

TEST(LoudOutput, theConversionTo16BitsSaturatesAtTheNearestEnd) {
    const float inf = std::numeric_limits<float>::infinity();
    const float in[] = {
        0.5f, 1.5f, -1.5f, 1e30f, inf, -inf, std::numeric_limits<float>::quiet_NaN()};
    const int16_t expected[] = {16384, 32767, -32768, 32767, 32767, -32768, 0};
    int16_t out[std::size(in)] = {};
    OutputStage::ToPcm16(in, out, std::size(in));
    for (size_t i = 0; i < std::size(in); ++i) {
        EXPECT_EQ(out[i], expected[i]) << "input " << in[i];
    }
}
