#include "app/cli/WaveformCommand.h"
#include "../../wav/WavBytes.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

using twtest::TempDir;
using twtest::WavBytes;

TEST(WaveformCommand, PrintsTheMediaFieldsAndOneLinePerSecond) {
    TempDir dir;
    std::vector<int16_t> samples(16, 0);
    samples[0] = 32767;  // second 1, left
    samples[1] = -32768; // second 1, right
    samples[9] = 16384;  // second 2, right
    WavBytes().Riff().Fmt(1, 2, 4, 16).DataHeader(32).Samples(samples).WriteTo(dir.File("a.wav"));
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunWaveformCommand({dir.File("a.wav")}, out, err), 0);
    EXPECT_EQ(out.str(), "duration: 2\n"
                         "channels: 2\n"
                         "sample rate: 4\n"
                         "byte rate: 16\n"
                         "data offset: 44\n"
                         "1 19 20\n"
                         "2 0 10\n");
    EXPECT_EQ(err.str(), "");
}

TEST(WaveformCommand, SaysWhyAFileIsRefused) {
    TempDir dir;
    WavBytes().Riff().Fmt(1, 1, 8000, 8).DataHeader(4).Zeros(4).WriteTo(dir.File("a.wav"));
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunWaveformCommand({dir.File("a.wav")}, out, err), 1);
    EXPECT_EQ(err.str(), "tonewick-cli waveform: " + dir.File("a.wav") +
                             ": the samples are not 16 bits wide\n");
    EXPECT_EQ(out.str(), "");
}

TEST(WaveformCommand, WantsExactlyOneFile) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunWaveformCommand({}, out, err), 2);
    EXPECT_EQ(err.str(), "usage: tonewick-cli waveform FILE.wav\n");
}
