// File streams of the five source formats, made here with the ffmpeg command, decoded by the
// real layer and heard through ALSA's file device.
#include "AlsaFileSink.h"

#include "platform/AudioOutput.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

using twtest::AlsaFileSink;

using twtest::rate;
constexpr double seconds = 0.5;

struct Format {
    const char* name;
    AudioFileKind kind;
    int sampleRate;
    int channels;
    const char* codecArguments;
};

// Rates and channel counts vary so that resampling and both ways of mapping to stereo run.
const Format formats[] = {
    {"tone.wav", AudioFileKind::WavOrMp3, 22050, 1, "-c:a pcm_s16le"},
    {"tone.mp3", AudioFileKind::WavOrMp3, 44100, 2, "-c:a libmp3lame -b:a 128k"},
    {"tone.aac", AudioFileKind::Aac, 48000, 2, "-c:a aac -f adts"},
    {"tone.mp4", AudioFileKind::Mp4, 32000, 1, "-c:a aac"},
    {"tone.m4a", AudioFileKind::Mp4, 44100, 6, "-c:a aac"},
};

bool MakeTone(const std::string& path, const Format& format) {
    const std::string command =
        "/usr/bin/ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "
        "sine=frequency=437:sample_rate=" +
        std::to_string(format.sampleRate) + ":duration=" + std::to_string(seconds) + " -ac " +
        std::to_string(format.channels) + " " + format.codecArguments + " '" + path + "'";
    return std::system(command.c_str()) == 0;
}

class FileStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer = CreateSystemAudioOutput();
        ASSERT_TRUE(layer->Init(AudioOutput::defaultDevice, rate));
        for (const Format& format : formats) {
            ASSERT_TRUE(MakeTone(dir.File(format.name), format)) << format.name;
        }
    }
    void TearDown() override { layer->Free(); }

    // Plays the stream from its start and counts the frames of sound that reach the device.
    size_t HeardFrames(uint32_t stream) {
        const size_t from = sink.Frames();
        EXPECT_TRUE(layer->Play(stream, true));
        // The file is over once its length has passed and 3/4 s of silence follows: longer
        // than the device could run dry while the feeder stalls on a loaded machine.
        const size_t quiet = rate * 3 / 4;
        const bool over = sink.WaitFor([from, quiet](const auto& s) {
            const size_t start = twtest::FirstNonZeroFrame(s, from);
            const size_t frames = s.size() / 2;
            return start < frames && frames > start + rate * seconds + quiet &&
                   twtest::CountNonZeroFrames(s, frames - quiet) == 0;
        });
        EXPECT_TRUE(over);
        layer->Stop(stream);
        return twtest::CountNonZeroFrames(sink.Samples(), from);
    }

    twtest::TempDir dir;
    AlsaFileSink sink{4.0};
    std::unique_ptr<AudioOutput> layer;
};

TEST_F(FileStreamTest, EachFormatDecodesToItsLengthAndPlaysAgainAfterARestart) {
    // Lossy coders add up to two frames of 1024 samples of priming and padding.
    const double tolerance = 0.05 * rate;
    for (const Format& format : formats) {
        SCOPED_TRACE(format.name);
        const uint32_t stream = layer->CreateFileStream(format.kind, dir.File(format.name));
        ASSERT_NE(stream, 0u);
        const size_t first = HeardFrames(stream);
        const size_t again = HeardFrames(stream);
        EXPECT_NEAR(static_cast<double>(first), seconds * rate, tolerance);
        EXPECT_NEAR(static_cast<double>(again), seconds * rate, tolerance);
        RecordProperty(format.name, std::to_string(first) + " then " + std::to_string(again));
        EXPECT_TRUE(layer->FreeStream(stream));
    }
}

TEST_F(FileStreamTest, AFileOpenedAsAnotherKindFails) {
    const struct {
        const char* name;
        AudioFileKind wrongKind;
    } cases[] = {{"tone.wav", AudioFileKind::Aac}, {"tone.wav", AudioFileKind::Mp4},
                 {"tone.mp3", AudioFileKind::Mp4}, {"tone.aac", AudioFileKind::WavOrMp3},
                 {"tone.aac", AudioFileKind::Mp4}, {"tone.mp4", AudioFileKind::WavOrMp3},
                 {"tone.m4a", AudioFileKind::Aac}};
    for (const auto& c : cases) {
        EXPECT_EQ(layer->CreateFileStream(c.wrongKind, dir.File(c.name)), 0u) << c.name;
    }
}

TEST_F(FileStreamTest, AMissingOrUnreadableFileFails) {
    std::ofstream(dir.File("notes.wav")) << "not a sound";
    for (AudioFileKind kind : {AudioFileKind::WavOrMp3, AudioFileKind::Aac, AudioFileKind::Mp4}) {
        EXPECT_EQ(layer->CreateFileStream(kind, dir.File("notes.wav")), 0u);
        EXPECT_EQ(layer->CreateFileStream(kind, dir.File("gone.mp3")), 0u);
        EXPECT_EQ(layer->CreateFileStream(kind, dir.Path().string()), 0u);
    }
}

} // namespace
