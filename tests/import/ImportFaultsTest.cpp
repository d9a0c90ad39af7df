// Faults while importing, on the real console: converters that are killed, hang until
// cancelled or run out of file size, and temp folders and converters that can't be used. Each
// ends in a failure that says why, with the previous working file as it was and no staging file
// left behind.
#include "import/ImportJob.h"

#include "TestWav.h"
#include "WorkingFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using twtest::Contents;
using twtest::WriteConverter;

namespace {

using twtest::noHang;

class ImportFaultsTest : public ::testing::Test {
protected:
    twtest::WorkingFolder work{twtest::WorkingFolder::Converter::None};
    ImportJob job;
    std::string previousMedia;

    void SetUp() override {
        ASSERT_NE(ProcessConsole(), nullptr);
        const twtest::WavFormat mono{8000, 1, false};
        ASSERT_TRUE(twtest::WriteWav("long.wav", mono, twtest::Sine(mono, 60, 440, 9000)));
        ASSERT_TRUE(twtest::WriteWav("temp/current.wav", mono, twtest::Sine(mono, 2, 220, 500)));
        previousMedia = Contents("temp/current.wav");
    }

    // Nothing changed: the working file is the previous one and temp/ holds nothing new.
    void ExpectNothingChanged() {
        EXPECT_EQ(Contents("temp/current.wav"), previousMedia);
        EXPECT_EQ(work.TempLeftovers(), std::vector<std::string>{"current.wav"});
        EXPECT_TRUE(job.stagingPath.empty());
    }
};

struct ConverterFault {
    const char* name;
    // The stand-in converter's body ($out is its output file).
    const char* body;
    ImportError error;
    // A line the failure message must show.
    const char* line;
};

void PrintTo(const ConverterFault& tested, std::ostream* out) {
    *out << tested.name;
}

class ConverterFaults : public ImportFaultsTest,
                        public ::testing::WithParamInterface<ConverterFault> {};

TEST_P(ConverterFaults, EndInAFailureThatSaysWhyAndChangeNothing) {
    WriteConverter(GetParam().body);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(job.Convert(L"long.wav", nullptr, nullptr));
    EXPECT_LT(std::chrono::steady_clock::now() - started, noHang);
    EXPECT_EQ(job.error, GetParam().error) << job.Explanation();
    EXPECT_NE(job.Explanation().find(GetParam().line), std::string::npos) << job.Explanation();
    ExpectNothingChanged();
}

INSTANTIATE_TEST_SUITE_P(
    StandIns, ConverterFaults,
    ::testing::Values(
        ConverterFault{"KilledMidRun",
                       "head -c 30000 long.wav > \"$out\"\necho 'half way'\nkill -KILL $$\n",
                       ImportError::ConverterKilled,
                       "The converter was stopped before it had finished.\n\n"
                       "The converter's last lines:\nhalf way"},
        ConverterFault{"TerminatedMidRun", "head -c 30000 long.wav > \"$out\"\nkill -TERM $$\n",
                       ImportError::ConverterKilled,
                       "The converter was stopped before it had finished."},
        // The shell's limit is in blocks of 512 bytes: 64 of them hold two seconds of the
        // 60-second source, so Debian's converter runs out of file size half way.
        ConverterFault{"RunningOutOfFileSize", "ulimit -f 64\nexec /usr/bin/ffmpeg \"$@\"\n",
                       ImportError::ConverterKilled,
                       "The converter was stopped before it had finished."}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(ImportFaultsTest, CancelEndsAHangingConverterAndEvenOneThatIgnoresBeingAskedToStop) {
    for (const char* body : {"head -c 30000 long.wav > \"$out\"\nsleep 600\n",
                             "trap '' TERM\nhead -c 30000 long.wav > \"$out\"\n"
                             "while :; do sleep 0.05; done\n"}) {
        WriteConverter(body);
        int polls = 0;
        job.cancelRequested = [&polls] { return ++polls == 5; };
        const auto started = std::chrono::steady_clock::now();
        EXPECT_FALSE(job.Convert(L"long.wav", nullptr, nullptr));
        EXPECT_LT(std::chrono::steady_clock::now() - started, noHang);
        EXPECT_EQ(job.error, ImportError::Cancelled);
        EXPECT_EQ(job.Explanation(), "The import was cancelled.");
        ExpectNothingChanged();
    }
    // The console is free again: the next import works.
    WriteConverter("cp long.wav \"$out\"\n");
    job.cancelRequested = nullptr;
    ASSERT_TRUE(job.Convert(L"long.wav", nullptr, nullptr)) << job.Explanation();
    ASSERT_TRUE(job.Replace());
    EXPECT_EQ(Contents("temp/current.wav"), Contents("long.wav"));
}

// Runs the check in a child process as the user "nobody" when the test runs as root, whom the
// permission bits do not bind; returns the import's error.
ImportError ErrorAsNobody(const std::function<ImportError()>& import) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(100);
        }
        _exit(static_cast<int>(import()));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) != 100
               ? static_cast<ImportError>(WEXITSTATUS(status))
               : ImportError::None;
}

struct FolderFault {
    const char* name;
    std::function<void()> arrange;
    ImportError error;
    const char* explanation;
};

void PrintTo(const FolderFault& tested, std::ostream* out) {
    *out << tested.name;
}

class FolderFaults : public ImportFaultsTest, public ::testing::WithParamInterface<FolderFault> {};

TEST_P(FolderFaults, AreExplainedBeforeAnythingRuns) {
    WriteConverter("echo run > ran\ncp long.wav \"$out\"\n");
    fs::permissions(work.Path(), fs::perms::all);
    fs::permissions("long.wav", fs::perms::owner_read | fs::perms::others_read);
    GetParam().arrange();
    EXPECT_EQ(ErrorAsNobody([this] {
                  job.Convert(L"long.wav", nullptr, nullptr);
                  return job.error;
              }),
              GetParam().error);
    job.error = GetParam().error;
    EXPECT_EQ(job.Explanation(), GetParam().explanation);
    EXPECT_FALSE(fs::exists("ran"));
    if (fs::exists("temp")) {
        fs::permissions("temp", fs::perms::owner_all);
        EXPECT_EQ(Contents("temp/current.wav"), previousMedia);
    }
}

INSTANTIATE_TEST_SUITE_P(
    TempAndConverter, FolderFaults,
    ::testing::Values(
        FolderFault{"TempMissing", [] { fs::remove_all("temp"); }, ImportError::NoTempFolder,
                    "There is no temp folder in the working folder."},
        FolderFault{"TempReadOnly",
                    [] {
                        fs::permissions("temp/ffmpeg", fs::perms::all);
                        fs::permissions("temp", fs::perms::owner_all | fs::perms::others_read |
                                                    fs::perms::others_exec);
                    },
                    ImportError::TempNotWritable, "Nothing can be written into the temp folder."},
        FolderFault{
            "ConverterNotExecutable",
            [] {
                fs::permissions("temp", fs::perms::all);
                fs::permissions("temp/ffmpeg", fs::perms::owner_read | fs::perms::owner_write |
                                                   fs::perms::others_read);
            },
            ImportError::ConverterNotExecutable, "The converter at temp/ffmpeg is not executable."},
        FolderFault{"SourceUnreadable",
                    [] {
                        fs::permissions("temp", fs::perms::all);
                        fs::permissions("temp/ffmpeg", fs::perms::all);
                        fs::permissions("long.wav", fs::perms::owner_read);
                    },
                    ImportError::SourceUnreadable, "The chosen file can't be read."}),
    [](const auto& tested) { return std::string(tested.param.name); });

} // namespace
