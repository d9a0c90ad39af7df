// Making the ringtone file without a window: names, formats per phone, every format made from a
// real source through Debian's ffmpeg and checked with ffprobe, the plain rendering against the
// render subcommand, failures that leave nothing behind, and saving into the user's folder.
#include "RingtoneProbe.h"
#include "TempDir.h"
#include "TestWav.h"
#include "WorkingFolder.h"

#include "app/cli/RenderCommand.h"
#include "delivery/RingtoneFormat.h"
#include "delivery/RingtoneJob.h"
#include "delivery/RingtoneName.h"
#include "delivery/SaveFile.h"
#include "editor/BareEditor.h"
#include "import/ImportJob.h"
#include "text/Utf8Text.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Places the markers as the render subcommand does: silence at the cut start, the fade-in after
// it, the fade-out ending at the cut end.
void Edit(BareEditor& bare, int32_t cutStart, int32_t cutEnd, int32_t silence = 0,
          int32_t fadeIn = 0, int32_t fadeOut = 0) {
    bare.cut.SetValues(cutStart, cutEnd);
    bare.silence.SetValues(cutStart + silence, bare.silence.endValue);
    bare.fadeIn.SetValues(cutStart + silence + fadeIn, bare.fadeIn.endValue);
    bare.fadeOut.SetValues(cutEnd - fadeOut, bare.fadeOut.endValue);
}

std::string Repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) {
        all += text;
    }
    return all;
}

TEST(RingtoneName, TakesTheSourcesNameReplacesWhatPhonesRefuseAndFits255Bytes) {
    const struct {
        std::string source;
        std::string name;
    } cases[] = {
        {"/music/Morning Song.mp3", "Morning Song ringtone.mp3"},
        {"relative/live.at.home.m4a", "live.at.home ringtone.mp3"},
        {"/a/b\\c:d*e?f\"g<h>i|j.wav", "b_c_d_e_f_g_h_i_j ringtone.mp3"},
        {"/x/tab\there\x01.mp3", "tab_here_ ringtone.mp3"},
        {"/x/Grüße.mp3", "Grüße ringtone.mp3"},
        {"/x/noextension", "noextension ringtone.mp3"},
        {"/x/.mp3", ".mp3 ringtone.mp3"},
        {"", "ringtone.mp3"},
        // Cut to 255 bytes, keeping the mark, the extension and whole characters.
        {Repeated("a", 300) + ".mp3", Repeated("a", 242) + " ringtone.mp3"},
        {"/x/a" + Repeated("é", 150) + ".flac", "a" + Repeated("é", 120) + " ringtone.mp3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RingtoneStem(c.source, ".mp3") + ".mp3", c.name) << c.source;
    }
}

class RingtoneJobTest : public ::testing::Test {
protected:
    void SetUp() override {
        const twtest::WavFormat format{44100, 2};
        ASSERT_TRUE(twtest::WriteWav(source, format, twtest::Sine(format, 50, 440, 9000)));
        ASSERT_EQ(bare.Load(source), WavError::None);
    }

    twtest::WorkingFolder folder;
    const std::string source = folder.File("Song.wav");
    BareEditor bare;
};

TEST_F(RingtoneJobTest, MakesEveryFormatWithItsContainerCodecLayoutLengthAndTitle) {
    const struct {
        const char* name;
        const char* container;
        const char* codec;
    } cases[] = {
        {"wav", "wav", "pcm_s16le"},
        {"mp3", "mp3", "mp3"},
        {"aac", "aac", "aac"},
        {"m4a", "mov,mp4,m4a,3gp,3g2,mj2", "aac"},
        {"m4r", "mov,mp4,m4a,3gp,3g2,mj2", "aac"},
        {"wma", "asf", "wmav2"},
    };
    Edit(bare, 3, 6, 0, 1, 1);
    for (const auto& c : cases) {
        RingtoneJob job;
        RingtoneSound sound{3, 6, {.echo = true, .volume = 80}};
        ASSERT_TRUE(job.Make(bare.wave, sound, *FindFormatByName(c.name), source, nullptr, nullptr))
            << c.name << ": " << job.Explanation();
        EXPECT_EQ(job.fileName, "Song ringtone." + std::string(c.name));
        const auto probed = twtest::Probe(job.filePath);
        EXPECT_EQ(probed.at("format_name"), c.container) << c.name;
        EXPECT_EQ(probed.at("codec_name"), c.codec) << c.name;
        EXPECT_EQ(probed.at("channels"), "2") << c.name;
        EXPECT_EQ(probed.at("sample_rate"), "44100") << c.name;
        EXPECT_EQ(probed.count("title") ? probed.at("title") : "", "Song ringtone") << c.name;
        EXPECT_NEAR(twtest::DecodedSeconds(job.filePath), 3.0, 0.1) << c.name;
    }
    EXPECT_TRUE(folder.TempLeftovers().empty());
}

TEST_F(RingtoneJobTest, CutsAnM4rAt40SecondsWithItsFadeOutAndLeavesOtherFormatsWhole) {
    Edit(bare, 2, 47, 0, 0, 3);
    const struct {
        const char* name;
        double seconds;
    } cases[] = {{"m4r", 40.0}, {"m4a", 45.0}};
    for (const auto& c : cases) {
        RingtoneJob job;
        ASSERT_TRUE(job.Make(bare.wave, RingtoneSound{2, 47, {}}, *FindFormatByName(c.name), source,
                             nullptr, nullptr));
        EXPECT_NEAR(twtest::DecodedSeconds(job.filePath), c.seconds, 0.1) << c.name;
        // The last of three fading seconds plays at a third of the level at most.
        EXPECT_LT(twtest::LastSecondPeakShare(job.filePath), 0.4) << c.name;
    }
}

TEST_F(RingtoneJobTest, TheTitleTagIsTheSongsOwnTitleElseTheFilesName) {
    // Through the import: Ogg and Opus keep the title among the audio stream's tags.
    const struct {
        const char* file;
        const char* encoding;
        const char* title;
    } cases[] = {
        {"Plain.wav", "-c copy", "Song ringtone"},
        {"Tagged.wav", "-metadata 'title=Ünï Song' -c copy", "Ünï Song"},
        {"tune.ogg", "-metadata 'title=Ogg Tune' -c:a libvorbis", "Ogg Tune"},
        {"voice.opus", "-metadata 'title=Grandma laughing' -c:a libopus", "Grandma laughing"},
    };
    for (const auto& c : cases) {
        const std::string path = folder.File(c.file);
        ASSERT_EQ(std::system(
                      ("ffmpeg -nostdin -v error -i " + source + " -t 6 " + c.encoding + " " + path)
                          .c_str()),
                  0);
        ImportJob import;
        ASSERT_TRUE(import.Convert(WideFromUtf8(path), nullptr, nullptr)) << import.Explanation();
        BareEditor editor;
        ASSERT_EQ(editor.Load(import.stagingPath), WavError::None);
        Edit(editor, 2, 5);
        RingtoneJob job;
        ASSERT_TRUE(job.Make(editor.wave, RingtoneSound{2, 5, {}}, *FindFormatByName("mp3"),
                             "/music/Song.flac", nullptr, nullptr));
        EXPECT_EQ(job.fileName, "Song ringtone.mp3");
        EXPECT_EQ(twtest::Probe(job.filePath).at("title"), c.title) << c.file;
    }
}

TEST_F(RingtoneJobTest, RendersWithoutEffectsAtFullVolumeExactlyAsTheRenderSubcommand) {
    Edit(bare, 4, 9, 1, 2, 1);
    RingtoneJob job;
    ASSERT_TRUE(job.Make(bare.wave, RingtoneSound{4, 9, {}}, *FindFormatByName("wav"), source,
                         nullptr, nullptr));
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunRenderCommand({source, "--cut", "4:9", "--silence", "1", "--fade-in", "2",
                                "--fade-out", "1", "-o", folder.File("rendered.wav")},
                               out, err),
              0)
        << err.str();
    // The converter's copy carries a title chunk before the samples: compare the samples.
    const std::string made = Contents(job.filePath);
    const std::string rendered = Contents(folder.File("rendered.wav"));
    const size_t data = made.find("data");
    ASSERT_NE(data, std::string::npos);
    EXPECT_TRUE(made.substr(data + 8) == rendered.substr(44));
    EXPECT_EQ(made.size() - data - 8, rendered.size() - 44);
}

TEST_F(RingtoneJobTest, FailuresSayWhyAndLeaveNothingInTemp) {
    Edit(bare, 2, 5);
    struct Case {
        const char* what;
        std::function<void(RingtoneJob&)> prepare;
        DeliveryError error;
    };
    const Case cases[] = {
        {"converter missing", [](RingtoneJob& job) { job.runner.program = "temp/none"; },
         DeliveryError::ConverterNotStarted},
        {"converter failing", [](RingtoneJob& job) { job.runner.program = "/bin/false"; },
         DeliveryError::ConversionFailed},
        {"no temp folder", [](RingtoneJob& job) { job.tempFolder = "missing"; },
         DeliveryError::NoTempFolder},
    };
    for (const Case& c : cases) {
        {
            RingtoneJob job;
            c.prepare(job);
            EXPECT_FALSE(job.Make(bare.wave, RingtoneSound{2, 5, {}}, *FindFormatByName("mp3"),
                                  source, nullptr, nullptr))
                << c.what;
            EXPECT_EQ(job.error, c.error) << c.what;
        }
        EXPECT_TRUE(folder.TempLeftovers().empty()) << c.what;
    }
    RingtoneJob unreadable;
    const std::string gone = folder.File("gone.wav");
    fs::copy_file(source, gone);
    BareEditor other;
    ASSERT_EQ(other.Load(gone), WavError::None);
    Edit(other, 2, 5);
    fs::remove(gone);
    EXPECT_FALSE(unreadable.Make(other.wave, RingtoneSound{2, 5, {}}, *FindFormatByName("mp3"),
                                 gone, nullptr, nullptr));
    EXPECT_EQ(unreadable.error, DeliveryError::RenderFailed);

    // A temp folder that takes no more (a file size limit stands in for a full disk): the
    // system's reason, not the working file's.
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{4096, limit.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    RingtoneJob full;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool made = full.Make(bare.wave, RingtoneSound{2, 5, {}}, *FindFormatByName("mp3"),
                                source, nullptr, nullptr);
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_FALSE(made);
    EXPECT_EQ(full.Explanation(),
              "The ringtone could not be made in the temp folder: file too large.");
}

TEST(SaveFile, ReplacesTheTargetWholeAndLeavesNoHiddenFileBehind) {
    twtest::TempDir dir;
    const std::string from = dir.File("from.mp3");
    std::ofstream(from) << "new ringtone";
    const struct {
        const char* what;
        bool existing;
    } cases[] = {{"new file", false}, {"existing file", true}};
    for (const auto& c : cases) {
        const std::string to = dir.File(std::string(c.what) + ".mp3");
        if (c.existing) {
            std::ofstream(to) << "an older and longer ringtone";
        }
        EXPECT_TRUE(SaveFileAtomically(from, to)) << c.what;
        EXPECT_EQ(Contents(to), "new ringtone") << c.what;
    }
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        EXPECT_NE(entry.path().filename().string()[0], '.');
        ++files;
    }
    EXPECT_EQ(files, 3u);
}

TEST(SaveFile, KeepsTheTargetWhenTheCopyFails) {
    twtest::TempDir dir;
    const std::string to = dir.File("kept.mp3");
    std::ofstream(to) << "old";
    EXPECT_FALSE(SaveFileAtomically(dir.File("missing.mp3"), to));
    EXPECT_FALSE(SaveFileAtomically(to, dir.File("no/such/folder/x.mp3")));
    EXPECT_EQ(Contents(to), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

} // namespace
