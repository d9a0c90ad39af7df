// A failure keeps its reason: a failed save, import, push and load each say why in the message
// the user reads and leave the same reason in the failure log, which is kept under its cap.
#include "TestWav.h"
#include "WorkingFolder.h"

#include "delivery/DeliveryMessages.h"
#include "delivery/DeliveryMethod.h"
#include "delivery/ObexPush.h"
#include "delivery/SaveFile.h"
#include "import/ImportJob.h"
#include "platform/FailureLog.h"
#include "platform/fake/ScriptedObexClient.h"
#include "wav/WaveFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace {

std::string LastLogLine(const std::string& path) {
    std::ifstream in(path);
    std::string line, last;
    while (std::getline(in, line)) {
        last = line;
    }
    // After the time, "2026-12-08 06:10:00 ".
    return last.size() > 20 ? last.substr(20) : last;
}

TEST(FailureLog, FailuresSayWhyInTheMessageAndTheLog) {
    twtest::WorkingFolder work{twtest::WorkingFolder::Converter::None};
    const std::string log = work.File("state/tonewick.log");
    LogFailuresToFile(log);
    const twtest::WavFormat mono{8000, 1, false};
    ASSERT_TRUE(twtest::WriteWav("song.wav", mono, twtest::Sine(mono, 3, 440, 9000)));
    const std::string missing = work.File("gone/Song ringtone.mp3");
    const struct {
        const char* what;
        std::function<std::string()> fail;
        std::string message;
        std::string logLine;
    } cases[] = {
        {"save",
         [&] {
             int reason = 0;
             EXPECT_FALSE(SaveFileAtomically("song.wav", missing, &reason));
             return delivery_text::SaveFailure(reason);
         },
         "The ringtone could not be written to the chosen folder: the folder does not exist.",
         "save " + missing + ": "},
        {"import",
         [] {
             twtest::WriteConverter("echo 'song.wav: Invalid data found'\nexit 1\n");
             ImportJob job;
             EXPECT_FALSE(job.Convert(L"song.wav", nullptr, nullptr));
             return job.Explanation();
         },
         "The converter could not convert the chosen file.\n\nThe converter's last "
         "lines:\nsong.wav: Invalid data found",
         "import song.wav: "},
        // A converter that succeeded has nothing to say about a file that then won't load.
        {"load",
         [] {
             twtest::WriteConverter("echo 'size= 10kB'\ncp song.wav \"$out\"\n");
             ImportJob job;
             EXPECT_TRUE(job.Convert(L"song.wav", nullptr, nullptr) && job.Replace());
             WaveFile folder;
             const WavError loaded = folder.Open("temp");
             job.Undo(loaded, folder.systemError);
             return job.Explanation();
         },
         "The converted sound could not be loaded (the file can't be opened for reading): is a "
         "directory.",
         "import song.wav: "},
        {"push",
         [] {
             auto client = std::make_unique<ScriptedObexClient>();
             client->outcome = ObexOutcome::Unreachable;
             client->detail = "host is down";
             ObexPush push(std::move(client));
             push.Start("00:11:22:33:44:55", "/tmp/Song ringtone.mp3");
             while (!push.Finished()) {
             }
             return DescribeFailure({push.Current().error, push.Current().detail, ""});
         },
         "The phone could not be reached: host is down. Check that it is switched on, near, and "
         "has Bluetooth on.",
         "push /tmp/Song ringtone.mp3 to 00:11:22:33:44:55: "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.fail(), c.message) << c.what;
        std::string folded = c.message;
        for (size_t at; (at = folded.find("\n\n")) != std::string::npos;) {
            folded.replace(at, 2, "\n");
        }
        for (size_t at; (at = folded.find('\n')) != std::string::npos;) {
            folded.replace(at, 1, " | ");
        }
        EXPECT_EQ(LastLogLine(log), c.logLine + folded) << c.what;
    }
    LogFailuresToStderr();
}

TEST(FailureLog, LivesInTheStateFolderAndKeepsOnePreviousFileUnderItsCap) {
    twtest::TempDir dir;
    setenv("XDG_STATE_HOME", dir.Path().c_str(), 1);
    const std::string log = FailureLogPath();
    EXPECT_EQ(log, dir.File("tonewick/tonewick.log"));
    LogFailuresToFile(log);
    const std::string reason(999, 'r');
    for (uintmax_t written = 0; written < 3 * kFailureLogCapBytes; written += reason.size()) {
        LogFailure("save", reason);
    }
    LogFailuresToStderr();
    unsetenv("XDG_STATE_HOME");
    EXPECT_LE(std::filesystem::file_size(log), kFailureLogCapBytes);
    EXPECT_GT(std::filesystem::file_size(log + ".1"), kFailureLogCapBytes - 1100);
    EXPECT_EQ(LastLogLine(log), "save: " + reason);
}

} // namespace
