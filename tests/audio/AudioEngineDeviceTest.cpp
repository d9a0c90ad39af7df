// The AudioEngine over the real layer, as the program uses it: the source preview's file
// stream and the ringtone preview's procedure stream with an effect and the volume.
#include "AlsaFileSink.h"
#include "AudioTestSignals.h"

#include "audio/AudioEngine.h"

#include "TestWav.h"

#include <gtest/gtest.h>

namespace {

using twtest::AlsaFileSink;

using twtest::rate;

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// Releases the engine before the sink goes, whatever the test's outcome.
class AudioEngineDevice : public ::testing::Test {
protected:
    void TearDown() override { AudioEngine::Release(); }

    twtest::TempDir dir;
    std::unique_ptr<AlsaFileSink> sink;
};

TEST_F(AudioEngineDevice, PlaysTheSourceFileThenTheRingtoneWithEchoAtHalfVolume) {
    const twtest::WavFormat format;
    ASSERT_TRUE(
        twtest::WriteWav(dir.File("source.wav"), format, twtest::Sine(format, 0.25, 437.0, 9000)));
    sink = std::make_unique<AlsaFileSink>(4.0);
    AudioEngine* engine = AudioEngine::Get();
    engine->AwaitOutput();
    ASSERT_TRUE(engine->initialised);

    // Source preview: Stop, FreeStream, type, SetFile, OpenStream, SetVolume, Play.
    engine->fileType = AudioFileWav;
    ASSERT_TRUE(engine->SetFile(Wide(dir.File("source.wav"))));
    ASSERT_TRUE(engine->OpenStream(true));
    engine->SetVolume(100);
    engine->Play();
    ASSERT_TRUE(engine->playing);
    // The whole file (its first sample is the sine's zero), so that no more of it is on its
    // way to the capture when the ringtone starts.
    EXPECT_TRUE(
        sink->WaitFor([](const auto& s) { return twtest::CountNonZeroFrames(s) >= rate / 4 - 1; }));
    EXPECT_EQ(twtest::PeakBetween(sink->Samples(), 0, sink->Frames()), 9000);

    // Ringtone preview takes the engine over.
    engine->Stop();
    engine->FreeStream();
    EXPECT_FALSE(engine->streamOpen);
    const size_t ringtoneFrom = sink->Frames();
    twtest::ImpulseSource impulse;
    engine->streamProc = twtest::ImpulseSource::Proc;
    engine->frequency = rate;
    engine->channels = 2;
    engine->userValue = &impulse;
    ASSERT_TRUE(engine->OpenStream(false));
    engine->SetEffects({.chorus = false, .echo = true, .reverb = false});
    EXPECT_NE(engine->echoFx, 0u);
    engine->SetVolume(50);
    engine->Play();
    ASSERT_TRUE(engine->playing);
    EXPECT_TRUE(sink->WaitFor([ringtoneFrom](const auto& s) {
        const size_t at = twtest::FirstNonZeroFrame(s, ringtoneFrom);
        return at < s.size() / 2 && s.size() / 2 > at + rate * 3 / 4;
    }));
    engine->TogglePause();
    EXPECT_TRUE(engine->paused);
    engine->TogglePause();
    EXPECT_FALSE(engine->paused);
    engine->Stop();
    engine->FreeStream();

    // The impulse at a quarter of its level (echo's dry half at half volume), and its echo.
    const std::vector<int16_t> s = sink->Samples();
    const size_t at = twtest::FirstNonZeroFrame(s, ringtoneFrom);
    EXPECT_NEAR(s[at * 2], 4000, 1);
    EXPECT_EQ(twtest::FirstNonZeroFrame(s, at + 1), at + rate / 2);
    EXPECT_NEAR(s[(at + rate / 2) * 2], 4000, 1);
}

TEST_F(AudioEngineDevice, WithoutADeviceNothingOpensAndNothingPlays) {
    AlsaFileSink::RouteToNoDevice(dir);
    const twtest::WavFormat format;
    ASSERT_TRUE(
        twtest::WriteWav(dir.File("source.wav"), format, twtest::Sine(format, 0.1, 437.0, 9000)));
    AudioEngine* engine = AudioEngine::Get();
    ASSERT_NE(engine, nullptr);
    engine->AwaitOutput();
    EXPECT_FALSE(engine->initialised);
    engine->fileType = AudioFileWav;
    EXPECT_TRUE(engine->SetFile(Wide(dir.File("source.wav"))));
    EXPECT_FALSE(engine->OpenStream(true));
    engine->SetVolume(100);
    engine->Play();
    EXPECT_FALSE(engine->playing);
    EXPECT_TRUE(engine->SetEffects({.chorus = true, .echo = true, .reverb = true}));
    EXPECT_EQ(engine->chorusFx, 0u);
    engine->Stop();
    engine->FreeStream();
}

} // namespace
