// The PortAudio layer end to end: procedure streams played into ALSA's file device and read
// back sample by sample.
#include "AlsaFileSink.h"
#include "AudioTestSignals.h"

#include "platform/AudioOutput.h"

#include <gtest/gtest.h>

namespace {

using twtest::AlsaFileSink;

using twtest::rate;

class AudioOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer = CreateSystemAudioOutput();
        ASSERT_TRUE(layer->Init(AudioOutput::defaultDevice, rate));
    }
    void TearDown() override {
        layer->Free();
        layer.reset();
    }
    // Waits until the capture holds at least this many frames of ramp.
    bool WaitForRamp(size_t frames) {
        return sink.WaitFor(
            [frames](const auto& s) { return twtest::CountNonZeroFrames(s) >= frames; });
    }

    AlsaFileSink sink{4.0};
    std::unique_ptr<AudioOutput> layer;
};

TEST_F(AudioOutputTest, AProcedureStreamArrivesInOrderAndComplete) {
    twtest::RampSource ramp;
    const uint32_t stream = layer->CreateProcedureStream(rate, 2, twtest::RampSource::Proc, &ramp);
    ASSERT_NE(stream, 0u);
    ASSERT_TRUE(layer->Play(stream, true));
    ASSERT_TRUE(WaitForRamp(rate));
    ASSERT_TRUE(layer->Stop(stream));
    EXPECT_TRUE(layer->FreeStream(stream));

    const std::vector<uint32_t> frames = twtest::RampFrames(sink.Samples());
    ASSERT_GE(frames.size(), static_cast<size_t>(rate));
    EXPECT_EQ(frames.front(), 0u);
    EXPECT_EQ(twtest::RampBreaks(frames), 0u);
    EXPECT_LE(frames.back(), ramp.nextFrame.load());
}

TEST_F(AudioOutputTest, PauseHoldsThePositionAndResumeGoesOnFromIt) {
    twtest::RampSource ramp;
    const uint32_t stream = layer->CreateProcedureStream(rate, 2, twtest::RampSource::Proc, &ramp);
    ASSERT_TRUE(layer->Play(stream, true));
    ASSERT_TRUE(WaitForRamp(rate / 4));
    ASSERT_TRUE(layer->Pause(stream));
    // Let what the device had already taken reach the capture, then watch it stay still.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const size_t heardBeforeResume = twtest::CountNonZeroFrames(sink.Samples());
    const uint32_t madeWhilePaused = ramp.nextFrame.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(twtest::CountNonZeroFrames(sink.Samples()), heardBeforeResume);
    // While paused the feeder tops the ring up and then waits: about half a second ahead.
    EXPECT_EQ(ramp.nextFrame.load(), madeWhilePaused);

    ASSERT_TRUE(layer->Play(stream, false));
    ASSERT_TRUE(WaitForRamp(heardBeforeResume + rate / 4));
    layer->Stop(stream);

    const std::vector<uint32_t> frames = twtest::RampFrames(sink.Samples());
    EXPECT_EQ(frames.front(), 0u);
    EXPECT_EQ(twtest::RampBreaks(frames), 0u);
}

TEST_F(AudioOutputTest, PlayWithRestartDropsWhatWasBufferedAhead) {
    twtest::RampSource ramp;
    const uint32_t stream = layer->CreateProcedureStream(rate, 2, twtest::RampSource::Proc, &ramp);
    ASSERT_TRUE(layer->Play(stream, true));
    ASSERT_TRUE(WaitForRamp(rate / 4));
    const uint32_t madeBeforeRestart = ramp.nextFrame.load();
    ASSERT_TRUE(layer->Play(stream, true));
    const size_t heard = twtest::CountNonZeroFrames(sink.Samples());
    ASSERT_TRUE(WaitForRamp(heard + rate / 2));
    layer->Stop(stream);

    // One jump: from what had been heard straight to the procedure's next block.
    const std::vector<uint32_t> frames = twtest::RampFrames(sink.Samples());
    ASSERT_EQ(twtest::RampBreaks(frames), 1u);
    for (size_t i = 1; i < frames.size(); ++i) {
        if (frames[i] != frames[i - 1] + 1) {
            EXPECT_LT(frames[i - 1], madeBeforeRestart);
            EXPECT_GE(frames[i], madeBeforeRestart);
        }
    }
}

TEST_F(AudioOutputTest, VolumeOneHalfHalvesTheAmplitude) {
    twtest::SineSource sine;
    sine.peak = 16000;
    const uint32_t stream = layer->CreateProcedureStream(rate, 2, twtest::SineSource::Proc, &sine);
    ASSERT_TRUE(layer->SetVolume(stream, 0.5f));
    ASSERT_TRUE(layer->Play(stream, true));
    ASSERT_TRUE(WaitForRamp(rate / 2));
    ASSERT_TRUE(layer->SetVolume(stream, 1.0f));
    const size_t changed = sink.Frames();
    ASSERT_TRUE(sink.WaitFor([changed](const auto& s) { return s.size() / 2 > changed + rate; }));
    layer->Stop(stream);

    const std::vector<int16_t> samples = sink.Samples();
    const size_t start = twtest::FirstNonZeroFrame(samples);
    EXPECT_NEAR(twtest::PeakBetween(samples, start, start + rate / 4), 8000, 1);
    // The new volume has reached the device within the half second the ring holds.
    EXPECT_NEAR(twtest::PeakBetween(samples, changed + rate * 3 / 4, changed + rate), 16000, 1);
}

TEST_F(AudioOutputTest, AMonoStreamAtAnotherRateIsHeardAtFullLevelOnBothSides) {
    twtest::SineSource sine;
    sine.channels = 1;
    sine.rate = 22050;
    sine.peak = 12000;
    sine.frequency = 220.0;
    const uint32_t stream = layer->CreateProcedureStream(22050, 1, twtest::SineSource::Proc, &sine);
    ASSERT_NE(stream, 0u);
    ASSERT_TRUE(layer->Play(stream, true));
    ASSERT_TRUE(WaitForRamp(rate / 2));
    // A restart starts the conversion afresh; the mapping must survive it.
    ASSERT_TRUE(layer->Play(stream, true));
    const size_t restarted = sink.Frames();
    ASSERT_TRUE(WaitForRamp(restarted + rate));
    layer->Stop(stream);

    const std::vector<int16_t> samples = sink.Samples();
    for (size_t start : {twtest::FirstNonZeroFrame(samples) + rate / 10, restarted + rate / 2}) {
        int sidesDiffer = 0;
        for (size_t f = start; f < start + rate / 4; ++f) {
            sidesDiffer += samples[f * 2] != samples[f * 2 + 1] ? 1 : 0;
        }
        EXPECT_EQ(sidesDiffer, 0);
        EXPECT_NEAR(twtest::PeakBetween(samples, start, start + rate / 4), 12000, 60);
    }
}

TEST_F(AudioOutputTest, UnknownHandlesAndBadParametersFail) {
    twtest::RampSource ramp;
    EXPECT_EQ(layer->CreateProcedureStream(0, 2, twtest::RampSource::Proc, &ramp), 0u);
    EXPECT_EQ(layer->CreateProcedureStream(rate, 0, twtest::RampSource::Proc, &ramp), 0u);
    EXPECT_EQ(layer->CreateProcedureStream(rate, 2, nullptr, &ramp), 0u);
    EXPECT_FALSE(layer->Play(12345, true));
    EXPECT_FALSE(layer->Pause(12345));
    EXPECT_FALSE(layer->Stop(12345));
    EXPECT_FALSE(layer->SetVolume(12345, 1.0f));
    EXPECT_EQ(layer->AddEffect(12345, AudioEffectKind::Echo, 0), 0u);

    const uint32_t stream = layer->CreateProcedureStream(rate, 2, twtest::RampSource::Proc, &ramp);
    EXPECT_FALSE(layer->RemoveEffect(stream, 12345));
    EXPECT_TRUE(layer->FreeStream(stream));
    EXPECT_FALSE(layer->FreeStream(stream));
    EXPECT_FALSE(layer->Play(stream, true));
    EXPECT_EQ(ramp.calls.load(), 0u);
}

TEST(AudioOutputWithoutDevice, InitFailsAndEveryOtherCallFailsCleanly) {
    twtest::TempDir dir;
    AlsaFileSink::RouteToNoDevice(dir);
    const std::unique_ptr<AudioOutput> layer = CreateSystemAudioOutput();
    EXPECT_FALSE(layer->Init(AudioOutput::defaultDevice, rate));

    twtest::RampSource ramp;
    EXPECT_EQ(layer->CreateProcedureStream(rate, 2, twtest::RampSource::Proc, &ramp), 0u);
    EXPECT_EQ(layer->CreateFileStream(AudioFileWav, "/dev/null"), 0u);
    EXPECT_FALSE(layer->Play(1, true));
    EXPECT_FALSE(layer->Pause(1));
    EXPECT_FALSE(layer->Stop(1));
    EXPECT_FALSE(layer->SetVolume(1, 0.5f));
    EXPECT_EQ(layer->AddEffect(1, AudioEffectKind::Reverb, 0), 0u);
    EXPECT_FALSE(layer->RemoveEffect(1, 2));
    EXPECT_FALSE(layer->FreeStream(1));
    EXPECT_FALSE(layer->Free());
    EXPECT_EQ(ramp.calls.load(), 0u);
}

} // namespace
