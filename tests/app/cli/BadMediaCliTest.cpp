// Every kind of bad media through "tonewick-cli import" with Debian's ffmpeg: it imports with
// the duration the converter could make of it, or fails with the reason, status 1 and the
// previous working file untouched; nothing is left in temp/ either way.
#include "app/cli/ImportCliCommand.h"

#include "BadMedia.h"
#include "TestWav.h"
#include "WorkingFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using twtest::BadMedia;
using twtest::Contents;

namespace {

class BadMediaThroughTheCommandLine : public ::testing::TestWithParam<BadMedia> {
protected:
    twtest::WorkingFolder work;
    std::string previousMedia;
    std::ostringstream out;
    std::ostringstream err;

    void SetUp() override {
        // Named as it stands, in the working folder: a leading dash must stay a file's name.
        const fs::path made = fs::path(TW_BAD_MEDIA) / GetParam().file;
        if (fs::is_directory(made)) {
            fs::create_directory_symlink(made, GetParam().file);
        } else {
            fs::create_symlink(made, GetParam().file);
        }
        const twtest::WavFormat mono{8000, 1, false};
        ASSERT_TRUE(twtest::WriteWav("temp/current.wav", mono, twtest::Sine(mono, 7, 200, 900)));
        previousMedia = Contents("temp/current.wav");
    }
};

TEST_P(BadMediaThroughTheCommandLine, ImportsWithTheRightDurationOrFailsWithTheReason) {
    const BadMedia& media = GetParam();
    const int status = RunImportCommand({media.file}, out, err);
    if (media.seconds > 0) {
        ASSERT_EQ(status, 0) << err.str();
        EXPECT_NE(out.str().find("\nduration: " + std::to_string(media.seconds) + "\n"),
                  std::string::npos)
            << out.str();
        EXPECT_NE(Contents("temp/current.wav"), previousMedia);
    } else {
        EXPECT_EQ(status, 1);
        EXPECT_EQ(
            err.str().rfind("tonewick-cli import: " + media.file + ": " + media.reason + ".", 0),
            0U)
            << err.str();
        EXPECT_EQ(out.str().find("duration"), std::string::npos) << out.str();
        // The converter's banner tells nothing about this file.
        EXPECT_EQ(err.str().find("ffmpeg version"), std::string::npos) << err.str();
        EXPECT_EQ(err.str().find("configuration:"), std::string::npos) << err.str();
        EXPECT_EQ(Contents("temp/current.wav"), previousMedia);
    }
    EXPECT_EQ(work.TempLeftovers(), std::vector<std::string>{"current.wav"});
}

INSTANTIATE_TEST_SUITE_P(Corpus, BadMediaThroughTheCommandLine,
                         ::testing::ValuesIn(twtest::BadMediaCases()),
                         [](const auto& tested) { return twtest::BadMediaName(tested.param); });

} // namespace
