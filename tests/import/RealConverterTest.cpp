// The runner with Debian's ffmpeg as the converter, linked at temp/ffmpeg in a working folder,
// on media of the five kinds that the tests make with it.
#include "import/ConverterArguments.h"
#include "import/ConverterRunner.h"
#include "platform/Utf8Text.h"
#include "platform/linux/PtyConsole.h"

#include "TempDir.h"
#include "TestWav.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Values = std::vector<int32_t>;

void Record(int32_t value, void* user) {
    static_cast<Values*>(user)->push_back(value);
}

constexpr double toneSeconds = 4.0;

struct WavFormat {
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
    double seconds = 0;
};

uint32_t LittleEndian(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    }
    return value;
}

// Walks the chunks (ffmpeg puts a LIST chunk before the data); an unreadable file gives zeros.
WavFormat ReadWavFormat(const std::string& path) {
    WavFormat format;
    std::error_code error;
    const uintmax_t fileSize = fs::file_size(path, error);
    if (error) {
        return format;
    }
    std::string bytes(fileSize, '\0');
    std::ifstream(path, std::ios::binary)
        .read(bytes.data(), static_cast<std::streamsize>(fileSize));
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        return format;
    }
    uint32_t byteRate = 0;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const uint32_t size = LittleEndian(bytes, at + 4, 4);
        if (id == "fmt " && at + 24 <= bytes.size()) {
            format.channels = static_cast<int>(LittleEndian(bytes, at + 10, 2));
            format.sampleRate = static_cast<int>(LittleEndian(bytes, at + 12, 4));
            byteRate = LittleEndian(bytes, at + 16, 4);
            format.bits = static_cast<int>(LittleEndian(bytes, at + 22, 2));
        } else if (id == "data" && byteRate != 0) {
            format.seconds = static_cast<double>(size) / byteRate;
        }
        at += 8 + size + (size & 1);
    }
    return format;
}

bool MakeWith(const std::string& ffmpegArguments) {
    return std::system(("ffmpeg -nostdin -loglevel error -y " + ffmpegArguments).c_str()) == 0;
}

// A working folder with the converter linked at temp/ffmpeg and the test media beside it.
class RealConverterTest : public ::testing::TestWithParam<std::string> {
protected:
    static inline std::unique_ptr<twtest::TempDir> work;
    fs::path previousDirectory;
    ConverterRunner runner;
    Values values;

    static void SetUpTestSuite() {
        work = std::make_unique<twtest::TempDir>();
        fs::create_directory(work->Path() / "temp");
        fs::create_symlink("/usr/bin/ffmpeg", work->Path() / "temp" / "ffmpeg");
        const twtest::WavFormat format;
        const std::string wav = work->File("tone.wav");
        ASSERT_TRUE(twtest::WriteWav(wav, format, twtest::Sine(format, toneSeconds, 440, 8000)));
        ASSERT_TRUE(MakeWith("-i " + wav + " -c:a libmp3lame -b:a 128k " + work->File("tone.mp3")));
        ASSERT_TRUE(MakeWith("-i " + wav + " -c:a aac " + work->File("tone.aac")));
        ASSERT_TRUE(MakeWith("-i " + wav + " -c:a aac " + work->File("tone.m4a")));
        ASSERT_TRUE(MakeWith("-f lavfi -i testsrc=size=160x120:rate=10:duration=4 -i " + wav +
                             " -map 0:v -map 1:a -c:v mpeg4 -c:a aac -shortest " +
                             work->File("tone.mp4")));
        fs::copy_file(work->File("tone.mp3"), work->File("Grüße \"live\" mix.mp3"));
        std::ofstream(work->File("broken.mp3")) << "not media at all\n";
    }
    static void TearDownTestSuite() { work.reset(); }

    void SetUp() override {
        auto console = CreatePtyConsole();
        ASSERT_NE(console, nullptr);
        SetProcessConsole(std::move(console));
        previousDirectory = fs::current_path();
        fs::current_path(work->Path());
        fs::remove("temp/current.wav");
    }
    void TearDown() override {
        fs::current_path(previousDirectory);
        SetProcessConsole(nullptr);
    }

    bool Import(const std::string& source) {
        return runner.Run(
            BuildConverterArguments(WideFromUtf8(work->File(source)), L"temp/current.wav"), Record,
            &values);
    }
};

TEST_P(RealConverterTest, ConvertsToTheWorkingWavWithProgressEndingAt100) {
    ASSERT_TRUE(Import(GetParam()));
    EXPECT_TRUE(runner.Succeeded()) << ::testing::PrintToString(runner.lastLines);
    ASSERT_FALSE(values.empty());
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_EQ(std::count(values.begin(), values.end(), 100), 1);
    EXPECT_EQ(values.back(), 100);

    const WavFormat wav = ReadWavFormat("temp/current.wav");
    EXPECT_EQ(wav.bits, 16);
    EXPECT_EQ(wav.channels, 2);
    EXPECT_EQ(wav.sampleRate, 44100);
    // Encoders pad by a frame or two; ADTS streams carry no trimming information.
    EXPECT_NEAR(wav.seconds, toneSeconds, 0.1);
}

INSTANTIATE_TEST_SUITE_P(FiveKindsOfMedia, RealConverterTest,
                         ::testing::Values("tone.wav", "tone.mp3", "tone.aac", "tone.mp4",
                                           "tone.m4a", "Grüße \"live\" mix.mp3"));

TEST_F(RealConverterTest, ProgressRisesWhileTheConverterWorks) {
    // Debian's ffmpeg, held to twice real time so that it prints several positions.
    runner.program = work->File("paced-ffmpeg");
    std::ofstream(runner.program) << "#!/bin/sh\nexec /usr/bin/ffmpeg -readrate 2 \"$@\"\n";
    fs::permissions(runner.program, fs::perms::owner_all);
    ASSERT_TRUE(Import("tone.wav"));
    EXPECT_TRUE(runner.Succeeded());
    EXPECT_EQ(runner.durationValue, 4000);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    Values intermediate(values.begin(), values.end() - 1);
    intermediate.erase(std::unique(intermediate.begin(), intermediate.end()), intermediate.end());
    EXPECT_GE(intermediate.size(), 2U) << ::testing::PrintToString(values);
    EXPECT_EQ(values.back(), 100);
}

TEST_F(RealConverterTest, FailedConversionShowsInTheExitStatusAndLastLines) {
    ASSERT_TRUE(Import("broken.mp3"));
    EXPECT_NE(runner.exitStatus, 0);
    EXPECT_FALSE(runner.Succeeded());
    ASSERT_FALSE(runner.lastLines.empty());
    // The converter's own complaint about the input, for the user to read.
    EXPECT_EQ(runner.lastLines.back().rfind(work->File("broken.mp3") + ": ", 0), 0U)
        << runner.lastLines.back();
    EXPECT_EQ(values, Values{100});
    EXPECT_FALSE(fs::exists("temp/current.wav"));
}

} // namespace
