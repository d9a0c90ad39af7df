#include "wav/WaveFile.h"
#include "TempDir.h"
#include "TestWav.h"
#include "WavBytes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

using twtest::TempDir;
using twtest::WavFormat;

namespace {

std::vector<SecondBars> ScanAll(WaveFile& file, WavError* error = nullptr) {
    std::vector<SecondBars> bars;
    const WavError result = file.ScanSeconds([&](int32_t, SecondBars b) { bars.push_back(b); });
    if (error != nullptr) {
        *error = result;
    }
    return bars;
}

// Seconds alternate between a half-scale square wave (bars of 20 pixels) and digital silence.
std::vector<int16_t> LoudQuiet(const WavFormat& format, int seconds) {
    std::vector<int16_t> samples;
    for (int s = 0; s < seconds; ++s) {
        for (int f = 0; f < format.sampleRate; ++f) {
            const int v = s % 2 != 0 ? 0 : (f % 2 == 0 ? 16384 : -16384);
            samples.insert(samples.end(), static_cast<size_t>(format.channels),
                           static_cast<int16_t>(v));
        }
    }
    return samples;
}

} // namespace

TEST(WaveFile, AWavWrittenByDebiansFfmpegLoadsWithItsListChunk) {
    TempDir dir;
    const WavFormat format;
    ASSERT_TRUE(twtest::WriteWav(dir.File("in.wav"), format, LoudQuiet(format, 4)));
    const std::string command = "ffmpeg -nostdin -loglevel error -y -i '" + dir.File("in.wav") +
                                "' -c:a pcm_s16le '" + dir.File("out.wav") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    WaveFile file;
    ASSERT_EQ(file.Open(dir.File("out.wav")), WavError::None);
    EXPECT_EQ(file.header.dataOffset, 78);
    EXPECT_EQ(file.header.durationSeconds, 4);
    const auto bars = ScanAll(file);
    ASSERT_EQ(bars.size(), 4U);
    EXPECT_EQ(bars[0].upper, 20);
    EXPECT_EQ(bars[1].upper, 0);
    EXPECT_EQ(bars[2].lower, 20);
    EXPECT_EQ(bars[3].lower, 0);
}

TEST(WaveFile, ScansManySecondsAcrossBlockBoundaries) {
    TempDir dir;
    // 3 channels at 11025 Hz: seconds of 66150 bytes never line up with the read blocks.
    const WavFormat format{11025, 3, true};
    ASSERT_TRUE(twtest::WriteWav(dir.File("a.wav"), format, LoudQuiet(format, 9)));
    WaveFile file;
    ASSERT_EQ(file.Open(dir.File("a.wav")), WavError::None);
    const auto bars = ScanAll(file);
    ASSERT_EQ(bars.size(), 9U);
    for (size_t s = 0; s < bars.size(); ++s) {
        EXPECT_EQ(bars[s].upper, s % 2 == 0 ? 20 : 0) << "second " << s;
    }
}

TEST(WaveFile, TellsAMissingFileFromOneThatCantBeReadOrIsRefused) {
    TempDir dir;
    WaveFile file;
    EXPECT_EQ(file.Open(dir.File("none.wav")), WavError::NoFile);
    EXPECT_EQ(file.Open(dir.Path().string()), WavError::CantOpen);
    twtest::WavBytes()
        .Riff()
        .Fmt(1, 0, 8000, 16)
        .DataHeader(4)
        .Zeros(4)
        .WriteTo(dir.File("bad.wav"));
    EXPECT_EQ(file.Open(dir.File("bad.wav")), WavError::NoChannels);
}

TEST(WaveFile, ATruncatedFileShowsTheWholeSecondsItHolds) {
    TempDir dir;
    twtest::WavBytes b;
    // Claims 3 s, holds 2.99 s: a size within the file's length is believed and clipped.
    b.Riff().Fmt(1, 1, 1000, 16).DataHeader(2000 * 3).Samples(std::vector<int16_t>(2995, 9000));
    b.WriteTo(dir.File("cut.wav"));
    WaveFile file;
    ASSERT_EQ(file.Open(dir.File("cut.wav")), WavError::None);
    EXPECT_EQ(file.header.durationSeconds, 2);
    EXPECT_EQ(ScanAll(file).size(), 2U);
}

TEST(WaveFile, ScansOnBothThreadsInOrderAndStopsBeforeAChunkCutShort) {
    TempDir dir;
    // 327 seconds: five whole chunks and a part, the odd ones scanned by the helper thread.
    const WavFormat format{1000, 3, true};
    ASSERT_TRUE(twtest::WriteWav(dir.File("long.wav"), format, LoudQuiet(format, 327)));
    WaveFile file;
    ASSERT_EQ(file.Open(dir.File("long.wav")), WavError::None);
    std::vector<int32_t> order;
    std::vector<SecondBars> bars;
    EXPECT_EQ(file.ScanSeconds([&](int32_t s, SecondBars b) {
        order.push_back(s);
        bars.push_back(b);
    }),
              WavError::None);
    ASSERT_EQ(bars.size(), 327U);
    for (int32_t s = 0; s < 327; ++s) {
        EXPECT_EQ(order[s], s);
        EXPECT_EQ(bars[s].upper, s % 2 == 0 ? 20 : 0) << "second " << s;
    }
    // The file loses its end after the header was read: the fourth chunk (from second 192)
    // can't be read, and nothing from it on is reported.
    std::filesystem::resize_file(dir.File("long.wav"),
                                 file.header.dataOffset + 200 * file.header.byteRate + 7);
    WavError error = WavError::None;
    EXPECT_EQ(ScanAll(file, &error).size(), 192U);
    EXPECT_EQ(error, WavError::ReadFailed);
}
