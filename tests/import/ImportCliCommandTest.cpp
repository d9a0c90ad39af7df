// "tonewick-cli import" with Debian's ffmpeg linked at temp/ffmpeg, on media of the five kinds
// that the tests make with it, and with failing converters.
#include "app/cli/ImportCliCommand.h"

#include "ImportFolder.h"
#include "TempDir.h"
#include "TestWav.h"

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
using twtest::TempFolder;
using twtest::WriteConverter;

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
    static inline std::unique_ptr<twtest::TempDir> work;
    fs::path previousDirectory;
    std::ostringstream out;
    std::ostringstream err;

    static void SetUpTestSuite() {
        work = std::make_unique<twtest::TempDir>();
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

    void SetUp() override {
        previousDirectory = fs::current_path();
        fs::current_path(work->Path());
        twtest::FreshTempWithDebiansConverter();
    }
    void TearDown() override { fs::current_path(previousDirectory); }
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
    EXPECT_TRUE(fs::exists("temp/current.wav"));
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
    EXPECT_EQ(std::distance(fs::directory_iterator("temp"), fs::directory_iterator{}), 2);
}

TEST_F(ImportCliCommandTest, SaysSoWhenThereIsNoConverter) {
    fs::remove("temp/ffmpeg");
    EXPECT_EQ(RunImportCommand({"media/tone.wav"}, out, err), 1);
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
