// "tonewick-cli import" with Debian's ffmpeg linked at temp/ffmpeg, on media of the five kinds
// that the tests make with it (each becomes a 16-bit PCM WAV of the source's format and
// length), and with failing converters.
#include "app/cli/ImportCliCommand.h"
#include "wav/WavHeader.h"

#include "TestWav.h"
#include "WorkingFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using twtest::Contents;

namespace {

constexpr double toneSeconds = 4.5;

bool MakeWith(const std::string& ffmpegArguments) {
    return std::system(("ffmpeg -nostdin -loglevel error -y " + ffmpegArguments).c_str()) == 0;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class ImportCliCommandTest : public ::testing::TestWithParam<std::string> {
protected:
    static inline std::unique_ptr<twtest::WorkingFolder> work;
    std::ostringstream out;
    std::ostringstream err;

    static void SetUpTestSuite() {
        work = std::make_unique<twtest::WorkingFolder>();
        const std::string media = work->File("media");
        fs::create_directory(media);
        const twtest::WavFormat format;
        const std::string wav = media + "/tone.wav";
        ASSERT_TRUE(twtest::WriteWav(wav, format, twtest::Sine(format, toneSeconds, 440, 8000)));
        ASSERT_TRUE(MakeWith("-i " + wav + " -c:a libmp3lame -b:a 128k " + media + "/tone.mp3"));
        ASSERT_TRUE(MakeWith("-i " + wav + " -c:a aac " + media + "/tone.aac"));
        ASSERT_TRUE(MakeWith("-i " + wav + " -c:a aac " + media + "/tone.m4a"));
        ASSERT_TRUE(MakeWith("-f lavfi -i testsrc=size=160x120:rate=10:duration=4.5 -i " + wav +
                             " -map 0:v -map 1:a -c:v mpeg4 -c:a aac -shortest " + media +
                             "/tone.mp4"));
        fs::copy_file(media + "/tone.m4a", media + "/Ünïcode \"quoted\" name.m4a");
        fs::copy_file(media + "/tone.mp3", media + "/concat:tone.mp3");
        std::ofstream(media + "/broken.mp3") << "not media at all\n";
    }
    static void TearDownTestSuite() { work.reset(); }

    void SetUp() override { fs::remove("temp/current.wav"); }
};

TEST_P(ImportCliCommandTest, ImportsAndEndsWithTheWorkingFilesDuration) {
    ASSERT_EQ(RunImportCommand({"media/" + GetParam()}, out, err), 0) << err.str();
    const std::vector<std::string> lines = Lines(out.str());
    ASSERT_GE(lines.size(), 2U);
    EXPECT_EQ(lines.back(), "duration: 4");
    EXPECT_EQ(lines[lines.size() - 2], "100");
    std::vector<int> values;
    std::transform(lines.begin(), lines.end() - 1, std::back_inserter(values),
                   [](const std::string& line) { return std::stoi(line); });
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_EQ(err.str(), "");

    const std::string wav = Contents("temp/current.wav");
    WavHeader header;
    ASSERT_EQ(header.Parse(reinterpret_cast<const uint8_t*>(wav.data()), wav.size(),
                           static_cast<int64_t>(wav.size())),
              WavError::None);
    EXPECT_EQ(header.bitsPerSample, 16);
    EXPECT_EQ(header.channels, 2);
    EXPECT_EQ(header.sampleRate, 44100);
    // Encoders pad by a frame or two; ADTS streams carry no trimming information.
    EXPECT_NEAR(static_cast<double>(header.dataSize) / header.byteRate, toneSeconds, 0.1);
}

INSTANTIATE_TEST_SUITE_P(FiveKindsOfMedia, ImportCliCommandTest,
                         ::testing::Values("tone.wav", "tone.mp3", "tone.aac", "tone.mp4",
                                           "tone.m4a", "Ünïcode \"quoted\" name.m4a",
                                           "concat:tone.mp3"));

TEST_F(ImportCliCommandTest, FailedImportKeepsTheWorkingFileAndPrintsTheConvertersLastLines) {
    ASSERT_EQ(RunImportCommand({"media/tone.wav"}, out, err), 0) << err.str();
    const std::string imported = Contents("temp/current.wav");
    out.str("");
    EXPECT_EQ(RunImportCommand({"media/broken.mp3"}, out, err), 1);
    EXPECT_EQ(out.str(), "100\n");
    EXPECT_EQ(err.str().rfind("tonewick-cli import: media/broken.mp3: The converter could not "
                              "convert the chosen file.\n\nThe converter's last lines:\n",
                              0),
              0U)
        << err.str();
    EXPECT_NE(err.str().find("media/broken.mp3: "), err.str().rfind("media/broken.mp3: "))
        << "the converter's own complaint is among the lines";
    EXPECT_EQ(Contents("temp/current.wav"), imported);
    EXPECT_EQ(work->TempLeftovers(), std::vector<std::string>{"current.wav"});
}

TEST_F(ImportCliCommandTest, SaysSoWhenThereIsNoConverter) {
    fs::rename("temp/ffmpeg", "temp/gone");
    EXPECT_EQ(RunImportCommand({"media/tone.wav"}, out, err), 1);
    fs::rename("temp/gone", "temp/ffmpeg");
    EXPECT_EQ(err.str(),
              "tonewick-cli import: media/tone.wav: There is no converter at temp/ffmpeg.\n");
    EXPECT_EQ(out.str(), "");
    EXPECT_FALSE(fs::exists("temp/current.wav"));
}

TEST_F(ImportCliCommandTest, WantsExactlyOneSource) {
    EXPECT_EQ(RunImportCommand({}, out, err), 2);
    EXPECT_EQ(err.str(), "usage: tonewick-cli import SOURCE\n");
}

} // namespace
