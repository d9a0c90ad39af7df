// The three effects as the device hears them: procedure streams with known signals played
// through the real layer into ALSA's file device.
#include "AlsaFileSink.h"
#include "AudioTestSignals.h"

#include "platform/AudioOutput.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using twtest::AlsaFileSink;

using twtest::rate;

class AudioEffectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer = CreateSystemAudioOutput();
        ASSERT_TRUE(layer->Init(AudioOutput::defaultDevice, rate));
    }
    void TearDown() override { layer->Free(); }

    // Plays the stream until the capture holds this many frames after the first sound.
    std::vector<int16_t> PlayFor(uint32_t stream, size_t frames) {
        EXPECT_TRUE(layer->Play(stream, true));
        EXPECT_TRUE(sink.WaitFor([frames](const auto& s) {
            const size_t start = twtest::FirstNonZeroFrame(s);
            return start < s.size() / 2 && s.size() / 2 - start >= frames;
        }));
        layer->Stop(stream);
        return sink.Samples();
    }

    AlsaFileSink sink{4.0};
    std::unique_ptr<AudioOutput> layer;
};

// Root mean square of the left side over [from, from + length) frames, in dB full scale.
double LevelDb(const std::vector<int16_t>& samples, size_t from, size_t length) {
    double sum = 0.0;
    for (size_t f = from; f < from + length; ++f) {
        sum += static_cast<double>(samples[f * 2]) * samples[f * 2];
    }
    return 10.0 * std::log10(sum / static_cast<double>(length) / (32768.0 * 32768.0) + 1e-30);
}

TEST_F(AudioEffectsTest, EchoRepeatsAnImpulseHalfASecondLaterAtTheSameLevelThenHalving) {
    twtest::ImpulseSource impulse;
    const uint32_t stream =
        layer->CreateProcedureStream(rate, 2, twtest::ImpulseSource::Proc, &impulse);
    ASSERT_NE(layer->AddEffect(stream, AudioEffectKind::Echo, 0), 0u);
    const std::vector<int16_t> s = PlayFor(stream, rate * 5 / 4);

    // Wet/dry 50: the impulse itself comes out at half level, and so does its first echo.
    const size_t at = twtest::FirstNonZeroFrame(s);
    EXPECT_NEAR(s[at * 2], 8000, 1);
    EXPECT_NEAR(s[at * 2 + 1], 8000, 1);
    EXPECT_EQ(twtest::FirstNonZeroFrame(s, at + 1), at + rate / 2);
    EXPECT_NEAR(s[(at + rate / 2) * 2], 8000, 1);
    EXPECT_NEAR(s[(at + rate / 2) * 2 + 1], 8000, 1);
    // Feedback 50: each later echo at half the one before.
    EXPECT_EQ(twtest::FirstNonZeroFrame(s, at + rate / 2 + 1), at + rate);
    EXPECT_NEAR(s[(at + rate) * 2], 4000, 1);
}

TEST_F(AudioEffectsTest, ReverbTailDecaysBySixtyDecibelsInAboutASecond) {
    twtest::ImpulseSource burst;
    burst.level = 16000;
    burst.burstFrames = rate / 20;
    const uint32_t stream =
        layer->CreateProcedureStream(rate, 2, twtest::ImpulseSource::Proc, &burst);
    ASSERT_NE(layer->AddEffect(stream, AudioEffectKind::Reverb, 0), 0u);
    const std::vector<int16_t> s = PlayFor(stream, rate * 6 / 5);

    // The default high-frequency ratio lets the treble die within a few loops; from 200 ms
    // after the burst the tail falls at the rate the reverb time sets. Fit a line to its
    // level in 50 ms windows up to 800 ms.
    const size_t end = twtest::FirstNonZeroFrame(s) + burst.burstFrames;
    const size_t window = rate / 20;
    double sumT = 0, sumL = 0, sumTT = 0, sumTL = 0;
    int n = 0;
    for (size_t from = end + rate / 5; from + window <= end + rate * 4 / 5; from += window, ++n) {
        const double t = static_cast<double>(from - end) / rate;
        const double level = LevelDb(s, from, window);
        sumT += t;
        sumL += level;
        sumTT += t * t;
        sumTL += t * level;
    }
    const double slope = (n * sumTL - sumT * sumL) / (n * sumTT - sumT * sumT);
    EXPECT_NEAR(-slope, 60.0, 12.0) << "tail falls by " << -slope << " dB per second";
    RecordProperty("tailDbPerSecond", std::to_string(-slope));
    // And there is a tail to measure, well above the 16-bit floor.
    EXPECT_GT(LevelDb(s, end + rate / 5, window), -60.0);
}

TEST_F(AudioEffectsTest, AddingEffectsWhilePlayingNeverClicks) {
    twtest::SineSource sine;
    sine.peak = 3000;
    const uint32_t stream = layer->CreateProcedureStream(rate, 2, twtest::SineSource::Proc, &sine);
    ASSERT_TRUE(layer->Play(stream, true));
    for (AudioEffectKind kind :
         {AudioEffectKind::Echo, AudioEffectKind::Chorus, AudioEffectKind::Reverb}) {
        const size_t heard = sink.Frames();
        ASSERT_TRUE(
            sink.WaitFor([heard](const auto& s) { return s.size() / 2 > heard + rate / 4; }));
        ASSERT_NE(layer->AddEffect(stream, kind, 0), 0u);
    }
    const size_t heard = sink.Frames();
    ASSERT_TRUE(sink.WaitFor([heard](const auto& s) { return s.size() / 2 > heard + rate; }));
    const size_t beforeStop = sink.Frames();
    layer->Stop(stream);

    // A click is a step: the second difference of a 440 Hz sine of peak 3000 stays under 12
    // per sample, and the effects' smooth sums under a few times that. A switch that cut in
    // at once would jump by up to half the peak. Runs of digital silence are left out: they
    // are the device running dry on a loaded machine, not the effects.
    const std::vector<int16_t> s = sink.Samples();
    const auto silent = [&s](size_t f) { return s[f * 2] == 0 && s[f * 2 + 1] == 0; };
    std::vector<bool> dry(s.size() / 2, false);
    for (size_t f = 0; f + 4 <= dry.size(); ++f) {
        if (silent(f) && silent(f + 1) && silent(f + 2) && silent(f + 3)) {
            dry[f] = dry[f + 1] = dry[f + 2] = dry[f + 3] = true;
        }
    }
    const size_t start = twtest::FirstNonZeroFrame(s) + 1;
    int largest = 0;
    for (size_t f = start; f + 1 < beforeStop; ++f) {
        if (dry[f - 1] || dry[f] || dry[f + 1]) {
            continue;
        }
        for (size_t c = 0; c < 2; ++c) {
            const int bend = s[(f + 1) * 2 + c] - 2 * s[f * 2 + c] + s[(f - 1) * 2 + c];
            largest = std::max(largest, std::abs(bend));
        }
    }
    EXPECT_LT(largest, 100);
}

TEST_F(AudioEffectsTest, ARemovedEffectNoLongerSounds) {
    twtest::ImpulseSource impulse;
    impulse.silentFrames = rate / 10;
    const uint32_t stream =
        layer->CreateProcedureStream(rate, 2, twtest::ImpulseSource::Proc, &impulse);
    const uint32_t reverb = layer->AddEffect(stream, AudioEffectKind::Reverb, 0);
    const uint32_t echo = layer->AddEffect(stream, AudioEffectKind::Echo, 0);
    ASSERT_NE(reverb, 0u);
    EXPECT_TRUE(layer->RemoveEffect(stream, reverb));
    EXPECT_FALSE(layer->RemoveEffect(stream, reverb));
    const std::vector<int16_t> s = PlayFor(stream, rate * 3 / 4);

    const size_t at = twtest::FirstNonZeroFrame(s);
    EXPECT_EQ(twtest::FirstNonZeroFrame(s, at + 1), at + rate / 2);
    EXPECT_TRUE(layer->RemoveEffect(stream, echo));
}

} // namespace
