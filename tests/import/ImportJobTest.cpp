// The import job's staging and failure rules, with stand-in converters on the real console in
// a working folder of the test's own.
#include "import/ImportJob.h"
#include "platform/HiddenConsole.h"

#include "TestWav.h"
#include "WorkingFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using twtest::Contents;
using twtest::WriteConverter;

namespace {

using Values = std::vector<int32_t>;

void Record(int32_t value, void* user) {
    static_cast<Values*>(user)->push_back(value);
}

class ImportJobTest : public ::testing::Test {
protected:
    twtest::WorkingFolder work{twtest::WorkingFolder::Converter::None};
    ImportJob job;
    Values values;
    std::string previousMedia;

    void SetUp() override {
        ASSERT_NE(ProcessConsole(), nullptr);
        const twtest::WavFormat mono{8000, 1, false};
        ASSERT_TRUE(twtest::WriteWav("good.wav", mono, twtest::Sine(mono, 3.5, 440, 9000)));
        ASSERT_TRUE(twtest::WriteWav("temp/current.wav", mono, twtest::Sine(mono, 2, 220, 500)));
        previousMedia = Contents("temp/current.wav");
        std::ofstream("source.mp3") << "pretend media";
    }

    bool WorkingFileUnchanged() const { return Contents("temp/current.wav") == previousMedia; }
};

TEST_F(ImportJobTest, GoodResultReplacesTheWorkingFileAndLeavesNothingElseBehind) {
    WriteConverter("printf '  Duration: 00:00:03.50, start: 0\\n'\ncp good.wav \"$out\"\n");
    {
        ImportJob local;
        ASSERT_TRUE(local.Convert(L"source.mp3", Record, &values)) << local.Explanation();
        EXPECT_EQ(local.header.durationSeconds, 3);
        EXPECT_TRUE(WorkingFileUnchanged());
        EXPECT_EQ(fs::path(local.stagingPath).parent_path(), "temp");
        ASSERT_TRUE(local.Replace());
        EXPECT_EQ(Contents("temp/current.wav"), Contents("good.wav"));
        EXPECT_EQ(values.back(), 100);
    }
    EXPECT_EQ(work.TempLeftovers(), std::vector<std::string>{"current.wav"});
}

TEST_F(ImportJobTest, FailingConverterLeavesTheWorkingFileAndExplainsWithItsLastLines) {
    // It even wrote a perfectly good file before failing: a failure is a failure.
    WriteConverter("cp good.wav \"$out\"\n"
                   "echo 'source.mp3: Invalid data found when processing input' >&2\nexit 1\n");
    EXPECT_FALSE(job.Convert(L"source.mp3", Record, &values));
    EXPECT_EQ(job.error, ImportError::ConverterFailed);
    EXPECT_EQ(values, Values{100});
    EXPECT_TRUE(WorkingFileUnchanged());
    EXPECT_TRUE(job.stagingPath.empty());
    EXPECT_EQ(work.TempLeftovers(), std::vector<std::string>{"current.wav"});
    EXPECT_EQ(job.Explanation(), "The converter could not convert the chosen file.\n\n"
                                 "The converter's last lines:\n"
                                 "source.mp3: Invalid data found when processing input");
}

TEST_F(ImportJobTest, SuccessWithoutAUsableWavIsStillAFailure) {
    WriteConverter("exit 0\n");
    EXPECT_FALSE(job.Convert(L"source.mp3", nullptr, nullptr));
    EXPECT_EQ(job.error, ImportError::UnusableResult);
    EXPECT_EQ(job.wavError, WavError::NoFile);
    EXPECT_EQ(job.Explanation(),
              "The converter did not produce a usable 16-bit PCM WAV file (no such file).");

    WriteConverter("printf 'RIFF....WAVEjunk' > \"$out\"\n");
    EXPECT_FALSE(job.Convert(L"source.mp3", nullptr, nullptr));
    EXPECT_EQ(job.error, ImportError::UnusableResult);
    EXPECT_EQ(job.wavError, WavError::NoDataChunk);
    EXPECT_TRUE(WorkingFileUnchanged());
    EXPECT_EQ(work.TempLeftovers(), std::vector<std::string>{"current.wav"});
}

TEST_F(ImportJobTest, MissingConverterSourceOrConsoleIsSaidAndNothingRuns) {
    EXPECT_FALSE(job.Convert(L"source.mp3", Record, &values));
    EXPECT_EQ(job.error, ImportError::NoConverter);
    EXPECT_EQ(job.Explanation(), "There is no converter at temp/ffmpeg.");

    std::ofstream("temp/ffmpeg") << "not a program";
    fs::permissions("temp/ffmpeg", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(job.Convert(L"source.mp3", Record, &values));
    EXPECT_EQ(job.error, ImportError::ConverterNotExecutable);

    WriteConverter("exit 0\n");
    EXPECT_FALSE(job.Convert(L"no such file.mp3", Record, &values));
    EXPECT_EQ(job.error, ImportError::NoSource);
    EXPECT_FALSE(job.Convert(L"temp", Record, &values));
    EXPECT_EQ(job.error, ImportError::NoSource);

    SetProcessConsole(nullptr);
    EXPECT_FALSE(job.Convert(L"source.mp3", Record, &values));
    EXPECT_EQ(job.error, ImportError::NoConsole);

    EXPECT_TRUE(values.empty());
    EXPECT_TRUE(WorkingFileUnchanged());
    EXPECT_EQ(work.TempLeftovers(), std::vector<std::string>{"current.wav"});
}

TEST_F(ImportJobTest, UndoPutsThePreviousWorkingFileBack) {
    WriteConverter("cp good.wav \"$out\"\n");
    ASSERT_TRUE(job.Convert(L"source.mp3", nullptr, nullptr));
    ASSERT_TRUE(job.Replace());
    ASSERT_TRUE(job.Undo(WavError::ReadFailed, 0));
    EXPECT_EQ(job.error, ImportError::NotLoaded);
    EXPECT_TRUE(WorkingFileUnchanged());
    EXPECT_EQ(work.TempLeftovers(), std::vector<std::string>{"current.wav"});

    // With no working file before, there is none after.
    fs::remove("temp/current.wav");
    ASSERT_TRUE(job.Convert(L"source.mp3", nullptr, nullptr));
    ASSERT_TRUE(job.Replace());
    ASSERT_TRUE(job.Undo(WavError::ReadFailed, 0));
    EXPECT_TRUE(work.TempLeftovers().empty());
}

TEST_F(ImportJobTest, StagingNeverCollidesWithTheSourceOrALeftover) {
    // The source is a file the staging names could look like, and the working file itself.
    WriteConverter("cp \"$2\" \"$out\"\n");
    std::ofstream("temp/import-AAAAAA.wav") << "left over by a crash";
    fs::copy_file("good.wav", "temp/import-BBBBBB.wav");
    ASSERT_TRUE(job.Convert(L"temp/import-BBBBBB.wav", nullptr, nullptr)) << job.Explanation();
    ASSERT_TRUE(job.Replace());
    EXPECT_EQ(Contents("temp/current.wav"), Contents("good.wav"));

    ImportJob again;
    ASSERT_TRUE(again.Convert(L"temp/current.wav", nullptr, nullptr)) << again.Explanation();
    ASSERT_TRUE(again.Replace());
    EXPECT_EQ(Contents("temp/current.wav"), Contents("good.wav"));
    EXPECT_EQ(Contents("temp/import-AAAAAA.wav"), "left over by a crash");
}

} // namespace
