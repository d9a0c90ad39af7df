// The engine's bookkeeping over a recording layer: which layer calls each operation makes,
// and what the flags say afterwards. A procedure stream made from the engine's fields, and the
// order of the shut-down, are heard and checked by AudioEngineDeviceTest and SourcePreviewTest.
#include "audio/AudioEngine.h"
#include "platform/fake/RecordingAudioOutput.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using Calls = std::vector<std::string>;

uint32_t Proc(uint32_t, void*, uint32_t, void*) {
    return 0;
}

class AudioEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto layer = std::make_unique<RecordingAudioOutput>();
        fake = layer.get();
        calls = layer->calls;
        AudioEngine::UseOutput(std::move(layer));
        engine = AudioEngine::Get();
        ASSERT_NE(engine, nullptr);
        engine->AwaitOutput();
        calls->clear();
    }
    void TearDown() override { AudioEngine::Release(); }

    std::wstring MakeFile(const std::string& name) {
        const std::string file = dir.File(name);
        std::ofstream(file) << "x";
        return std::wstring(file.begin(), file.end());
    }
    // Opens the named file with the type its extension gives, as the source preview does.
    bool OpenFile(const std::string& name, AudioFileType type) {
        engine->fileType = type;
        engine->SetFile(MakeFile(name));
        return engine->OpenStream(true);
    }
    void OpenProcedureStream() {
        engine->streamProc = Proc;
        engine->frequency = 22050;
        engine->channels = 1;
        engine->userValue = nullptr;
        ASSERT_TRUE(engine->OpenStream(false));
    }

    twtest::TempDir dir;
    RecordingAudioOutput* fake = nullptr;
    std::shared_ptr<Calls> calls;
    AudioEngine* engine = nullptr;
};

TEST(AudioEngineLifetime, GetMakesOneEngineAndInitialisesTheLayerOnce) {
    auto layer = std::make_unique<RecordingAudioOutput>();
    const auto calls = layer->calls;
    AudioEngine::UseOutput(std::move(layer));
    AudioEngine* first = AudioEngine::Get();
    AudioEngine* second = AudioEngine::Get();
    EXPECT_EQ(first, second);
    first->AwaitOutput();
    EXPECT_TRUE(first->initialised);
    EXPECT_EQ(*calls, Calls{"Init(-1,44100)"});
    EXPECT_TRUE(first->path.empty());
    EXPECT_EQ(first->fileType, AudioFileNone);
    EXPECT_FALSE(first->streamOpen || first->playing || first->paused || first->fromFile);
    AudioEngine::Release();
    EXPECT_EQ(*calls, (Calls{"Init(-1,44100)", "Free()"}));
}

// The sound system starts when sound is first wanted, not with the window: before that even
// a release leaves the layer alone.
TEST(AudioEngineLifetime, TheLayerStartsOnceWhenFirstWanted) {
    for (const bool prepared : {false, true}) {
        auto layer = std::make_unique<RecordingAudioOutput>();
        const auto calls = layer->calls;
        AudioEngine::UseOutput(std::move(layer));
        AudioEngine* engine = AudioEngine::Get();
        EXPECT_TRUE(calls->empty());
        if (prepared) {
            engine->PrepareOutput();
            engine->PrepareOutput();
        }
        engine->SetVolume(50);
        EXPECT_EQ(*calls, (Calls{"Init(-1,44100)", "SetVolume(0,0.5)"})) << prepared;
        AudioEngine::Release();
    }
    auto untouched = std::make_unique<RecordingAudioOutput>();
    const auto none = untouched->calls;
    AudioEngine::UseOutput(std::move(untouched));
    AudioEngine::Get();
    AudioEngine::Release();
    EXPECT_TRUE(none->empty());
}

TEST(AudioEngineLifetime, AFailedInitialisationIsKeptAndTheLayerIsNotFreed) {
    auto layer = std::make_unique<RecordingAudioOutput>();
    layer->initSucceeds = false;
    const auto calls = layer->calls;
    AudioEngine::UseOutput(std::move(layer));
    AudioEngine* engine = AudioEngine::Get();
    engine->AwaitOutput();
    EXPECT_FALSE(engine->initialised);
    AudioEngine::Release();
    EXPECT_EQ(*calls, Calls{"Init(-1,44100)"});
}

TEST(AudioEngineLifetime, GetAfterReleaseMakesANewEngine) {
    AudioEngine::UseOutput(std::make_unique<RecordingAudioOutput>());
    AudioEngine::Get()->fileType = AudioFileMp3;
    AudioEngine::Release();
    auto layer = std::make_unique<RecordingAudioOutput>();
    const auto calls = layer->calls;
    AudioEngine::UseOutput(std::move(layer));
    AudioEngine* engine = AudioEngine::Get();
    EXPECT_EQ(engine->fileType, AudioFileNone);
    engine->AwaitOutput();
    EXPECT_EQ(*calls, Calls{"Init(-1,44100)"});
    AudioEngine::Release();
}

TEST_F(AudioEngineTest, SetFileKeepsThePreviousPathForAMissingFileOrAFolder) {
    const std::wstring file = MakeFile("a.wav");
    EXPECT_TRUE(engine->SetFile(file));
    const std::string folder = dir.Path().string();
    EXPECT_FALSE(engine->SetFile(std::wstring(folder.begin(), folder.end())));
    EXPECT_FALSE(engine->SetFile(file + L".gone"));
    EXPECT_FALSE(engine->SetFile(L""));
    EXPECT_EQ(engine->path, file);
}

TEST_F(AudioEngineTest, EachFileTypeOpensThroughItsOwnOpener) {
    const std::string base = dir.Path().string() + "/";
    const struct {
        const char* name;
        AudioFileType type;
        const char* kind;
    } cases[] = {{"a.Wav", AudioFileWav, "WAV"}, {"b.mp3", AudioFileMp3, "MP3"},
                 {"c.aac", AudioFileAac, "AAC"}, {"d.mp4", AudioFileMp4, "MP4"},
                 {"e.m4A", AudioFileMp4, "MP4"}, {"f.flac", AudioFileFlac, "FLAC"},
                 {"g.m4b", AudioFileM4b, "M4B"}};
    for (const auto& c : cases) {
        calls->clear();
        ASSERT_TRUE(OpenFile(c.name, c.type)) << c.name;
        EXPECT_EQ(*calls,
                  Calls{std::string("CreateFileStream(") + c.kind + "," + base + c.name + ")"});
        EXPECT_TRUE(engine->fromFile);
        engine->FreeStream();
    }
}

TEST_F(AudioEngineTest, AWidePathReachesTheLayerAsUtf8) {
    const std::string name = "Kl\xC3\xA4nge \xE2\x99\xAA.wav"; // "Klänge ♪.wav"
    std::ofstream(dir.File(name)) << "x";
    const std::string folder = dir.Path().string() + "/";
    engine->fileType = AudioFileWav;
    ASSERT_TRUE(
        engine->SetFile(std::wstring(folder.begin(), folder.end()) + L"Kl\u00E4nge \u266A.wav"));
    ASSERT_TRUE(engine->OpenStream(true));
    EXPECT_EQ(*calls, Calls{"CreateFileStream(WAV," + folder + name + ")"});
}

TEST_F(AudioEngineTest, AnUnknownTypeReusesThePreviousOneOrMakesNoStream) {
    EXPECT_FALSE(OpenFile("song.ogg", AudioFileNone));
    EXPECT_TRUE(calls->empty());
    EXPECT_FALSE(engine->streamOpen);

    ASSERT_TRUE(OpenFile("first.m4a", AudioFileMp4));
    engine->FreeStream();
    calls->clear();
    // The caller leaves the type alone for an extension it doesn't know.
    ASSERT_TRUE(OpenFile("second.ogg", engine->fileType));
    EXPECT_EQ(*calls, Calls{"CreateFileStream(MP4," + dir.Path().string() + "/second.ogg)"});
}

TEST_F(AudioEngineTest, OpenStreamWhileOpenKeepsTheOldStream) {
    ASSERT_TRUE(OpenFile("a.wav", AudioFileWav));
    const uint32_t first = engine->stream;
    calls->clear();
    EXPECT_FALSE(engine->OpenStream(false));
    EXPECT_FALSE(engine->OpenStream(true));
    EXPECT_TRUE(calls->empty());
    EXPECT_EQ(engine->stream, first);
    EXPECT_TRUE(engine->fromFile);
}

TEST_F(AudioEngineTest, SetEffectsAddsChorusOnceAndRemovesIt) {
    OpenProcedureStream();
    const std::string s = std::to_string(engine->stream);
    calls->clear();
    EXPECT_TRUE(engine->SetEffects({.chorus = true, .echo = false, .reverb = false}));
    EXPECT_TRUE(engine->SetEffects({.chorus = true, .echo = false, .reverb = false}));
    EXPECT_EQ(*calls, Calls{"AddEffect(" + s + ",0,0)"});
    const uint32_t chorus = engine->chorusFx;
    EXPECT_NE(chorus, 0u);
    EXPECT_TRUE(engine->SetEffects({.chorus = false, .echo = false, .reverb = false}));
    EXPECT_EQ(calls->back(), "RemoveEffect(" + s + "," + std::to_string(chorus) + ")");
    EXPECT_EQ(engine->chorusFx, 0u);
}

TEST_F(AudioEngineTest, ANewStreamStartsWithoutEffects) {
    OpenProcedureStream();
    engine->SetEffects({.chorus = true, .echo = true, .reverb = true});
    engine->FreeStream();
    OpenProcedureStream();
    EXPECT_EQ(engine->chorusFx, 0u);
    EXPECT_EQ(engine->echoFx, 0u);
    EXPECT_EQ(engine->reverbFx, 0u);
}

TEST_F(AudioEngineTest, PlayStartsFromTheBeginningOnlyWhenNotPlaying) {
    engine->Play();
    EXPECT_TRUE(calls->empty());
    OpenProcedureStream();
    const std::string s = std::to_string(engine->stream);
    calls->clear();
    engine->Play();
    engine->Play();
    EXPECT_EQ(*calls, Calls{"Play(" + s + ",restart)"});
    EXPECT_TRUE(engine->playing);
}

TEST_F(AudioEngineTest, StopOnAStreamThatIsNotPlayingMakesNoCall) {
    engine->Stop();
    OpenProcedureStream();
    calls->clear();
    engine->Stop();
    EXPECT_TRUE(calls->empty());
    engine->Play();
    engine->Stop();
    EXPECT_EQ(calls->back(), "Stop(" + std::to_string(engine->stream) + ")");
    EXPECT_FALSE(engine->playing);
}

TEST_F(AudioEngineTest, TogglePausePausesThenResumesWhereItStopped) {
    OpenProcedureStream();
    const std::string s = std::to_string(engine->stream);
    engine->Play();
    calls->clear();
    engine->TogglePause();
    EXPECT_TRUE(engine->paused);
    engine->TogglePause();
    EXPECT_FALSE(engine->paused);
    EXPECT_EQ(*calls, (Calls{"Pause(" + s + ")", "Play(" + s + ",resume)"}));
    EXPECT_TRUE(engine->playing);
}

TEST_F(AudioEngineTest, SetVolumePassesTheFractionEvenWithoutAStream) {
    engine->SetVolume(50);
    OpenProcedureStream();
    engine->SetVolume(100);
    EXPECT_EQ(*calls, (Calls{"SetVolume(0,0.5)", calls->at(1),
                             "SetVolume(" + std::to_string(engine->stream) + ",1)"}));
}

TEST_F(AudioEngineTest, FailedLayerCallsLeaveTheFlagsAsTheyWere) {
    fake->callsSucceed = false;
    EXPECT_FALSE(OpenFile("a.wav", AudioFileWav));
    EXPECT_FALSE(engine->streamOpen);
    fake->callsSucceed = true;
    OpenProcedureStream();
    engine->Play();
    fake->callsSucceed = false;
    engine->SetEffects({.chorus = false, .echo = true, .reverb = false});
    EXPECT_EQ(engine->echoFx, 0u);
    engine->Stop();
    EXPECT_TRUE(engine->playing);
    engine->FreeStream();
    EXPECT_TRUE(engine->streamOpen);
    fake->callsSucceed = true;
    engine->TogglePause();
    fake->callsSucceed = false;
    engine->TogglePause();
    EXPECT_TRUE(engine->paused);
    // A failed effect is tried again by the next call.
    fake->callsSucceed = true;
    engine->SetEffects({.chorus = false, .echo = true, .reverb = false});
    EXPECT_NE(engine->echoFx, 0u);
}

} // namespace
