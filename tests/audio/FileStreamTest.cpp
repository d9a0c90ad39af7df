// File streams of every kind of source, made here with the ffmpeg command, decoded by the
// real layer and heard through ALSA's file device.
#include "AlsaFileSink.h"
#include "SourceMedia.h"

#include "platform/AudioOutput.h"
#include "platform/SourceCheck.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

using twtest::AlsaFileSink;

using twtest::rate;
constexpr double seconds = 0.5;

struct Format {
    const char* name;
    AudioFileType kind;
    int sampleRate;
    int channels;
    const char* codecArguments;
};

// Rates and channel counts vary so that resampling and both ways of mapping to stereo run.
const Format formats[] = {
    {"tone.wav", AudioFileWav, 22050, 1, "-c:a pcm_s16le"},
    {"tone.mp3", AudioFileMp3, 44100, 2, "-c:a libmp3lame -b:a 128k"},
    {"tone.aac", AudioFileAac, 48000, 2, "-c:a aac -f adts"},
    {"tone.mp4", AudioFileMp4, 32000, 1, "-c:a aac"},
    {"tone.m4a", AudioFileMp4, 44100, 6, "-c:a aac"},
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
    // At a sound card's pace: a capture faster than the feeder keeps up with on a loaded machine
    // would have gaps, and the kinds' captures are compared sample for sample.
    AlsaFileSink sink{1.0};
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

// Each kind's first second at the device is ffmpeg's own decode of the stream a player takes,
// sample for sample, resampled (Opus) or not: both resample with the same library.
// Content decides, not the name; what can't be heard makes no stream, and the check says why.
TEST_F(FileStreamTest, EachKindsFirstSecondIsFfmpegsOwnDecodeOfTheStreamAPlayerTakes) {
    ASSERT_TRUE(twtest::MakeSourceMedia(dir.Path().string()));
    for (const twtest::SourceMedia& media : twtest::SourceMediaCases()) {
        SCOPED_TRACE(media.file);
        const std::string path = dir.File(media.file);
        const SourceCheck check = CheckSource(path);
        EXPECT_EQ(check.stream, std::max(media.stream, -1));
        const uint32_t stream = layer->CreateFileStream(SourceKindOfPath(path)->type, path);
        if (media.stream < 0) {
            EXPECT_EQ(check.result, media.stream == -1 ? SourceCheck::Result::NoSound
                                                       : SourceCheck::Result::Unreadable);
            EXPECT_EQ(stream, 0u);
            continue;
        }
        ASSERT_NE(stream, 0u);
        const size_t from = sink.Frames();
        ASSERT_TRUE(layer->Play(stream, true));
        // To its end and a quarter second of quiet: nothing of it arrives during the next file.
        ASSERT_TRUE(sink.WaitFor([from](const auto& s) {
            const size_t frames = s.size() / 2, quiet = rate / 4;
            return frames > twtest::FirstNonZeroFrame(s, from) + rate + quiet &&
                   twtest::CountNonZeroFrames(s, frames - quiet) == 0;
        }));
        layer->FreeStream(stream);
        const std::vector<int16_t> all = sink.Samples();
        const auto start = all.begin() + twtest::FirstNonZeroFrame(all, from) * 2;
        const std::vector<int16_t> heard(start, start + rate * 2);
        std::vector<int16_t> decoded = twtest::FfmpegDecode(path, media.stream, "-ac 2 -ar 44100");
        decoded.erase(decoded.begin(), decoded.begin() + twtest::FirstNonZeroFrame(decoded) * 2);
        ASSERT_GE(decoded.size(), heard.size());
        EXPECT_TRUE(std::equal(heard.begin(), heard.end(), decoded.begin()));
    }
}

TEST_F(FileStreamTest, AMissingOrUnreadableFileFails) {
    std::ofstream(dir.File("notes.wav")) << "not a sound";
    for (AudioFileType kind : {AudioFileWav, AudioFileAac, AudioFileMp4}) {
        EXPECT_EQ(layer->CreateFileStream(kind, dir.File("notes.wav")), 0u);
        EXPECT_EQ(layer->CreateFileStream(kind, dir.File("gone.mp3")), 0u);
        EXPECT_EQ(layer->CreateFileStream(kind, dir.Path().string()), 0u);
    }
}

} // namespace
