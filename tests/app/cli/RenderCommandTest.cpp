// "tonewick-cli render": the ringtone it writes, and what it says about impossible requests.
#include "app/cli/RenderCommand.h"
#include "EditorRig.h"
#include "TempDir.h"
#include "TestWav.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

struct Output {
    int status;
    std::string out;
    std::string err;
};

Output RunRender(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunRenderCommand(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<uint8_t> Bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

uint32_t At32(const std::vector<uint8_t>& b, size_t i) {
    return b[i] | (b[i + 1] << 8) | (b[i + 2] << 16) | (static_cast<uint32_t>(b[i + 3]) << 24);
}

class RenderCommand : public ::testing::Test {
protected:
    void Make(const twtest::WavFormat& format, int seconds) {
        source = twtest::Pattern(format.channels, format.sampleRate, seconds);
        ASSERT_TRUE(twtest::WriteWav(input, format, source));
    }
    twtest::TempDir dir;
    std::string input = dir.File("current.wav");
    std::string output = dir.File("ring.wav");
    std::vector<int16_t> source;
};

} // namespace

TEST_F(RenderCommand, writesTheCutWithSilenceAndFadesAsACanonicalWav) {
    Make({8000, 1, true}, 20);
    const Output run = RunRender({input, "--cut", "3:15", "--silence", "2", "--fade-in", "3",
                                  "--fade-out", "4", "-o", output});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, output + ": 12 seconds, 8000 Hz, 1 channel\n");
    const std::vector<uint8_t> file = Bytes(output);
    ASSERT_EQ(file.size(), 44u + 12 * 16000);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
    EXPECT_EQ(At32(file, 4), 36u + 12 * 16000);
    EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(At32(file, 16), 16u);
    EXPECT_EQ(At32(file, 20), 1u | (1u << 16)) << "PCM, one channel";
    EXPECT_EQ(At32(file, 24), 8000u);
    EXPECT_EQ(At32(file, 28), 16000u);
    EXPECT_EQ(At32(file, 32), 2u | (16u << 16));
    EXPECT_EQ(std::string(file.begin() + 36, file.begin() + 40), "data");
    EXPECT_EQ(At32(file, 40), 12u * 16000);

    // Timeline seconds 3 and 4 are silence; the source resumes at its second 3 and fades in
    // over 3 seconds; the last 4 seconds fade out.
    std::vector<int16_t> words((file.size() - 44) / 2);
    std::memcpy(words.data(), file.data() + 44, words.size() * 2);
    const int64_t rate = 16000;
    for (size_t k = 0; k < words.size(); ++k) {
        const int64_t t = 2 * rate + 2 * static_cast<int64_t>(k);
        double w = 0;
        if (t >= 4 * rate) {
            w = source[static_cast<size_t>((t - 2 * rate) / 2)];
        }
        w = static_cast<int32_t>(w * std::clamp((t - 4 * rate) / (3.0 * rate), 0.0, 1.0));
        w = static_cast<int32_t>(w * (1 - std::clamp((t - 10 * rate) / (4.0 * rate), 0.0, 1.0)));
        ASSERT_EQ(words[k], static_cast<int16_t>(w)) << "word " << k;
    }
}

TEST_F(RenderCommand, keepsTheWorkingFilesRateAndChannels) {
    Make({44100, 2}, 5);
    const Output run = RunRender({input, "--cut", "1:5", "-o", output});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, output + ": 4 seconds, 44100 Hz, 2 channels\n");
    const std::vector<uint8_t> file = Bytes(output);
    ASSERT_EQ(file.size(), 44u + 4 * 176400);
    EXPECT_EQ(At32(file, 24), 44100u);
    EXPECT_EQ(At32(file, 28), 176400u);
    // No silence and no fades: the source itself.
    EXPECT_TRUE(
        std::equal(file.begin() + 44, file.end(), reinterpret_cast<const uint8_t*>(source.data())));
}

TEST_F(RenderCommand, silenceLengthensTheTimelineSoTheCutMayEndPastTheSound) {
    Make({8000, 1}, 10);
    EXPECT_EQ(RunRender({input, "--cut", "1:13", "--silence", "3", "-o", output}).status, 0);
    const Output past = RunRender({input, "--cut", "1:14", "--silence", "3", "-o", output});
    EXPECT_EQ(past.status, 1);
    EXPECT_EQ(past.err, "tonewick-cli render: the cut end 14 lies past the end of the file "
                        "(10 whole seconds, 13 with the silence)\n");
}

TEST_F(RenderCommand, refusesImpossibleValuesWithAReason) {
    Make({8000, 1}, 10);
    const Output past = RunRender({input, "--cut", "2:11", "-o", output});
    EXPECT_EQ(past.status, 1);
    EXPECT_EQ(past.err,
              "tonewick-cli render: the cut end 11 lies past the end of the file (10 whole "
              "seconds)\n");
    const Output backwards = RunRender({input, "--cut", "6:4", "-o", output});
    EXPECT_EQ(backwards.status, 1);
    EXPECT_EQ(backwards.err,
              "tonewick-cli render: the cut start 6 must lie before the cut end 4\n");
    const Output zero = RunRender({input, "--cut", "0:4", "-o", output});
    EXPECT_EQ(zero.err, "tonewick-cli render: the cut starts at second 1 at the earliest\n");
    const Output fades = RunRender({input, "--cut", "1:9", "--silence", "2", "--fade-in", "3",
                                    "--fade-out", "4", "-o", output});
    EXPECT_EQ(fades.status, 1);
    EXPECT_EQ(fades.err, "tonewick-cli render: the silence and the fades (2 + 3 + 4 seconds) are "
                         "longer than the ringtone (8 seconds)\n");
    const Output missing = RunRender({dir.File("none.wav"), "--cut", "1:4", "-o", output});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "tonewick-cli render: " + dir.File("none.wav") + ": no such file\n");
    const Output same = RunRender({input, "--cut", "1:4", "-o", input});
    EXPECT_EQ(same.status, 1);
    EXPECT_EQ(same.err, "tonewick-cli render: " + input + ": would overwrite the working file\n");
    EXPECT_FALSE(std::filesystem::exists(output)) << "nothing is written for a refused request";
}

TEST_F(RenderCommand, malformedCommandLinesAreUsageErrors) {
    Make({8000, 1}, 10);
    EXPECT_EQ(RunRender({input, "--cut", "1:4"}).status, 2);
    EXPECT_EQ(RunRender({input, "-o", output}).status, 2);
    EXPECT_EQ(RunRender({"--cut", "1:4", "-o", output}).status, 2);
    EXPECT_EQ(RunRender({input, "--cut", "1-4", "-o", output}).err,
              "tonewick-cli render: --cut takes START:END in whole seconds, not '1-4'\n");
    EXPECT_EQ(RunRender({input, "--cut", "1:4", "--fade-in", "-2", "-o", output}).err,
              "tonewick-cli render: --fade-in takes whole seconds, not '-2'\n");
    EXPECT_EQ(RunRender({input, "--cut", "1:4", "--loud", "-o", output}).status, 2);
    EXPECT_EQ(RunRender({input, "--cut", "1:4", "-o"}).err,
              "tonewick-cli render: -o needs a value\n"
              "usage: tonewick-cli render WORKING.wav --cut START:END|auto[:N] [--silence SECONDS] "
              "[--fade-in SECONDS] [--fade-out SECONDS] -o OUT.wav\n");
}
