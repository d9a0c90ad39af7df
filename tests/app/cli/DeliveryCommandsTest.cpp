// The make and send subcommands of the command-line tool: a source made into each kind of
// ringtone file through Debian's ffmpeg, the iPhone's 40 seconds, refused command lines and
// values, and pushes to a mock of obexd on a private session bus.
#include "BluetoothMockBuses.h"
#include "FakeDeliveryMethod.h"
#include "RingtoneProbe.h"
#include "TestWav.h"
#include "WorkingFolder.h"

#include "app/cli/MakeCommand.h"
#include "app/cli/SendCommand.h"
#include "platform/LoudnessMeter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome Make(std::vector<std::string> args, bool effects = false) {
    if (effects) {
        args.insert(args.end(), {"--echo", "--reverb", "--chorus"});
    }
    std::ostringstream out, err;
    const int status = RunMakeCommand(args, out, err);
    return {status, out.str(), err.str()};
}

Outcome Send(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunSendCommand(args, out, err);
    return {status, out.str(), err.str()};
}

class MakeCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        const twtest::WavFormat format{44100, 2};
        ASSERT_TRUE(twtest::WriteWav(source, format, twtest::Sine(format, 50, 440, 9000)));
    }
    twtest::WorkingFolder folder;
    const std::string source = folder.File("Tune.wav");
};

TEST_F(MakeCommandTest, MakesTheFileWithTheEditVolumeAndEffects) {
    const std::string out = folder.File("tune.mp3");
    const Outcome run =
        Make({source, "--cut", "3:8", "--fade-in", "1", "--fade-out", "2", "--volume", "60",
              "--echo", "--chorus", "--format", "mp3", "-o", out});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.ends_with(out + ": 5 seconds, MP3\n")) << run.out;
    EXPECT_EQ(twtest::Probe(out).at("codec_name"), "mp3");
    EXPECT_EQ(twtest::Probe(out).at("title"), "Tune ringtone");
    EXPECT_NEAR(twtest::DecodedSeconds(out), 5.0, 0.1);
    EXPECT_TRUE(folder.TempLeftovers().empty());
}

// Twelve seconds of a beat on a low note under a steady chord and a bright pluck, peaking near
// `level`: enough rise and fall for the limiter to have work at phone loudness. The off-beat's
// hi-hat is what lossy encoders overshoot on.
std::vector<int16_t> Song(double level) {
    std::vector<int16_t> samples;
    for (int f = 0; f < 44100 * 12; ++f) {
        const double t = f / 44100.0;
        const double beat = std::exp(-8.0 * std::fmod(t, 0.5));
        const double s = 0.5 * beat * std::sin(2 * M_PI * 110 * t) +
                         0.3 * std::sin(2 * M_PI * 277 * t) +
                         0.2 * beat * std::sin(2 * M_PI * 1661 * t);
        const double hat = std::exp(-20.0 * std::fmod(t + 0.25, 0.5)) *
                           std::fmod(std::sin(f * 12.9898) * 43758.5453, 1.0);
        samples.push_back(static_cast<int16_t>(level * (s + 0.6 * hat) / 1.6));
        samples.push_back(static_cast<int16_t>(level * (s + 0.6 * hat) / 1.6 * 0.8));
    }
    return samples;
}

TEST_F(MakeCommandTest, PhoneLoudnessBringsQuietAndLoudSourcesToTheTargetUnderMinusOneDbtp) {
    const struct {
        double level;
        const char* format;
        double target;
        bool effects; // echo, reverb and chorus
    } cases[] = {
        {1200, "mp3", -14.0, false},  {1200, "mp3", -14.0, true},   {32000, "wav", -9.0, false},
        {32000, "wav", -9.0, true},   {32000, "aac", -10.0, false}, {32000, "aac", -10.0, true},
        {32000, "m4a", -10.0, false}, {32000, "m4a", -10.0, true},  {32000, "m4r", -10.0, false},
        {32000, "m4r", -10.0, true},  {32000, "wma", -10.0, false}, {32000, "wma", -10.0, true}};
    for (const auto& c : cases) {
        const std::string song = folder.File("Song.wav");
        ASSERT_TRUE(twtest::WriteWav(song, {44100, 2}, Song(c.level)));
        const std::string out = folder.File(std::string("song.") + c.format);
        const Outcome run = Make({song, "--cut", "2:12", "--fade-out", "1", "--loudness",
                                  std::to_string(c.target), "--format", c.format, "-o", out},
                                 c.effects);
        ASSERT_EQ(run.status, 0) << run.err;
        const size_t note = run.out.find("The ringtone was turned down by ");
        const double down = note == std::string::npos ? 0.0 : std::stod(run.out.substr(note + 32));
        const std::vector<int16_t> decoded = twtest::DecodedStereo(out);
        const std::unique_ptr<LoudnessMeter> meter = LoudnessMeter::Create(44100, 2, true);
        ASSERT_TRUE(meter->Add(decoded.data(), decoded.size() / 2));
        std::printf("%s%s, level %.0f: %.2f LUFS for %.1f, true peak %.2f dBTP, down %.1f\n",
                    c.format, c.effects ? "+fx" : "", c.level, meter->Integrated(), c.target,
                    meter->TruePeak(), down);
        EXPECT_NEAR(meter->Integrated(), c.target - down, 0.5) << c.format;
        EXPECT_LE(meter->TruePeak(), -1.0) << c.format;
    }
}

TEST_F(MakeCommandTest, AnM4rKeepsTheFirst40SecondsAndSaysSo) {
    const std::string out = folder.File("tune.m4r");
    const Outcome run = Make({source, "--cut", "2:47", "--format", "m4r", "-o", out});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("The ringtone lasts 45 seconds; an .m4r holds at most 40, so it keeps "
                           "the first 40.\n"),
              std::string::npos)
        << run.out;
    EXPECT_NEAR(twtest::DecodedSeconds(out), 40.0, 0.1);
}

TEST_F(MakeCommandTest, RefusesMalformedCommandLinesAndImpossibleValues) {
    const std::string out = folder.File("x.mp3");
    const struct {
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {{source, "--cut", "2:5", "-o", out}, 2, "usage: tonewick-cli make"},
        {{source, "--cut", "2:5", "--format", "ogg", "-o", out},
         2,
         "--format takes wav, mp3, aac, m4a, m4r or wma, not 'ogg'"},
        {{source, "--cut", "2:5", "--volume", "0", "--format", "mp3", "-o", out},
         2,
         "--volume takes a percentage from 1 to 100, not '0'"},
        {{source, "--cut", "2:5", "--volume", "101", "--format", "mp3", "-o", out},
         2,
         "--volume takes a percentage from 1 to 100, not '101'"},
        {{source, "--cut", "2:5", "--format"}, 2, "--format needs a value"},
        {{source, "--cut", "2:47", "--format", "m4a", "-o", folder.File("x.m4r")},
         2,
         "-o takes a name ending in .m4a for --format m4a, not '"},
        {{source, "--cut", "2:99", "--format", "mp3", "-o", out},
         1,
         "the cut end 99 lies past the end of the file (50 whole seconds)"},
        {{folder.File("none.mp3"), "--cut", "2:5", "--format", "mp3", "-o", out}, 1, "none.mp3: "},
        {{source, "--cut", "2:5", "--format", "mp3", "-o", folder.File("no/folder/x.mp3")},
         1,
         "The ringtone could not be written to the chosen folder: the folder does not exist."},
    };
    for (const auto& c : cases) {
        const Outcome run = Make(c.args);
        EXPECT_EQ(run.status, c.status) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(out) || fs::exists(c.args.back())) << c.message;
        EXPECT_TRUE(folder.TempLeftovers().empty()) << c.message;
    }
}

TEST(SendCommand, SucceedsOnlyWhenTheTransferCompleted) {
    twtest::TempDir dir;
    const std::string file = dir.File("Tune ringtone.mp3");
    std::ofstream(file) << std::string(4000, 'r');
    const struct {
        const char* outcome;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {"complete", 0, "Tune ringtone.mp3: sent to 00:11:22:33:44:55\n", ""},
        {"refuse", 1, "",
         "tonewick-cli send: The phone did not take the ringtone: it was refused or the "
         "transfer broke off.\n"},
    };
    for (const auto& c : cases) {
        twtest::DBusMock mock;
        ASSERT_TRUE(twtest::StartObex(mock, c.outcome)) << mock.Error();
        const Outcome run = Send({file, "--to", "00:11:22:33:44:55"});
        EXPECT_EQ(run.status, c.status) << c.outcome;
        EXPECT_TRUE(run.out.ends_with(c.out)) << run.out;
        EXPECT_EQ(run.err, c.err) << c.outcome;
    }
}

TEST(SendCommand, RefusesWhatCantBeSent) {
    twtest::TempDir dir;
    const std::string file = dir.File("a.mp3");
    std::ofstream(file) << "x";
    const struct {
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {{file}, 2, "usage: tonewick-cli send FILE --to AA:BB:CC:DD:EE:FF\n"},
        {{file, "--to", "00:11:22"}, 2, "'00:11:22' is no Bluetooth address"},
        {{dir.File("none.mp3"), "--to", "00:11:22:33:44:55"}, 1, "none.mp3: no such file"},
    };
    for (const auto& c : cases) {
        const Outcome run = Send(c.args);
        EXPECT_EQ(run.status, c.status) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    twtest::DBusMock bus;
    ASSERT_TRUE(bus.StartBus(twtest::DBusMock::Bus::Session)) << bus.Error();
    const Outcome run = Send({file, "--to", "00:11:22:33:44:55"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("obexd"), std::string::npos) << run.err;
}

// The send options are the registry's: a method the tool does not know by name is offered in
// the usage and reached through its own option.
TEST(SendCommand, TakesItsOptionsFromTheSendMethods) {
    const twtest::FakeDeliveryMethod pigeon;
    twtest::TempDir dir;
    const std::string file = dir.File("a.mp3");
    std::ofstream(file) << "x";
    const Outcome usage = Send({file});
    EXPECT_EQ(usage.status, 2);
    for (const char* line : {"usage: tonewick-cli send FILE --to AA:BB:CC:DD:EE:FF\n",
                             "tonewick-cli send FILE --usb [NAME] [--replace]\n",
                             "tonewick-cli send FILE --wifi [--minutes N] [--address A]\n",
                             "tonewick-cli send FILE --pigeon LOFT\n"}) {
        EXPECT_NE(usage.err.find(line), std::string::npos) << usage.err;
    }
    const Outcome run = Send({file, "--pigeon", "loft-1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Flying.\na.mp3: carried to loft-1\n");
    EXPECT_EQ(pigeon.delivered, std::vector<std::string>{file + " to loft-1"});
}

} // namespace
