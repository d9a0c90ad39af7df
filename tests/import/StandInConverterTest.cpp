// The runner on the real console with stand-in converters: small scripts that print chosen
// text at chosen places and wait for the test to let them go on, so that every poll the test
// relies on is certain to happen.
#include "import/ConverterArguments.h"
#include "import/ConverterRunner.h"
#include "platform/Utf8Text.h"
#include "platform/linux/PtyConsole.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Values = std::vector<int32_t>;

// What the callback saw; reaching a value listed in `releases` creates that file, which lets
// the stand-in converter go on.
struct Progress {
    Values values;
    std::vector<std::pair<int32_t, std::string>> releases;
};

void Follow(int32_t value, void* user) {
    auto* progress = static_cast<Progress*>(user);
    progress->values.push_back(value);
    for (const auto& [at, file] : progress->releases) {
        if (value == at) {
            std::ofstream{file};
        }
    }
}

class StandInConverterTest : public ::testing::Test {
protected:
    twtest::TempDir dir;
    ConverterRunner runner;
    Progress progress;

    void SetUp() override {
        auto console = CreatePtyConsole();
        ASSERT_NE(console, nullptr);
        SetProcessConsole(std::move(console));
        runner.program = dir.File("converter");
    }
    void TearDown() override { SetProcessConsole(nullptr); }

    void WriteConverter(const std::string& body) {
        std::ofstream(runner.program) << "#!/bin/sh\n" << body;
        std::filesystem::permissions(runner.program, std::filesystem::perms::owner_all);
    }

    // Shell text that waits until the test has created the file (gives up after 60 s).
    std::string AwaitRelease(const std::string& name) const {
        return "n=0; while [ ! -e '" + dir.File(name) +
               "' ] && [ $n -lt 1200 ]; do sleep 0.05; n=$((n+1)); done\n";
    }
    void ReleaseAt(int32_t value, const std::string& name) {
        progress.releases.emplace_back(value, dir.File(name));
    }
};

TEST_F(StandInConverterTest, FollowsTheConverterThroughItsOverwrittenProgressLine) {
    // The duration key starts in column 75 and runs on into the next row.
    WriteConverter(
        "printf 'stand-in converter\\n%75sDuration: 00:00:10.00, start: 0.000000\\n' ''\n"
        "printf 'size=       1kB time=00:00:05.00 bitrate= 1.6kbits/s speed=N/A   \\r'\n" +
        AwaitRelease("half") +
        "printf 'size=     870kB time=00:00:09.00 bitrate=1411.2kbits/s\\r'\n" +
        AwaitRelease("most"));
    ReleaseAt(50, "half");
    ReleaseAt(90, "most");
    ASSERT_TRUE(runner.Run(L" -i \"in.mp3\"", Follow, &progress));
    const Values& v = progress.values;
    EXPECT_TRUE(std::is_sorted(v.begin(), v.end()));
    EXPECT_NE(std::find(v.begin(), v.end(), 50), v.end());
    EXPECT_NE(std::find(v.begin(), v.end(), 90), v.end());
    EXPECT_EQ(std::count(v.begin(), v.end(), 100), 1);
    EXPECT_EQ(v.back(), 100);
    EXPECT_EQ(runner.durationValue, 10000);
    EXPECT_TRUE(runner.Succeeded());
}

TEST_F(StandInConverterTest, ConverterPrintingMegabytesIsNeverBlocked) {
    // The duration scrolls away under the flood; it was seen before and stays known. The
    // position after the flood can only be seen once all of it has been read.
    WriteConverter("printf '  Duration: 00:00:10.00, start: 0.000000\\n'\n" + AwaitRelease("seen") +
                   "head -c 4000000 /dev/zero | tr '\\0' '#'\n"
                   "printf '\\nsize= 1kB time=00:00:05.00 bitrate=1.0\\r'\n" +
                   AwaitRelease("half") +
                   "printf '\\nstand-in: conversion failed\\n' >&2\nexit 4\n");
    ReleaseAt(0, "seen");
    ReleaseAt(50, "half");
    ASSERT_TRUE(runner.Run(L" -i \"in.mp3\"", Follow, &progress));
    EXPECT_NE(std::find(progress.values.begin(), progress.values.end(), 50), progress.values.end());
    EXPECT_EQ(progress.values.back(), 100);
    EXPECT_EQ(runner.exitStatus, 4);
    EXPECT_FALSE(runner.Succeeded());
    ASSERT_FALSE(runner.lastLines.empty());
    EXPECT_EQ(runner.lastLines.back(), "stand-in: conversion failed");
}

TEST_F(StandInConverterTest, ConverterThatNeverPrintsTheDurationGetsOnlyTheFinal100) {
    WriteConverter("printf 'size= 1kB time=00:00:05.00 bitrate=1.0\\r'\nsleep 0.5\n");
    ASSERT_TRUE(runner.Run(L" -i \"in.mp3\"", Follow, &progress));
    EXPECT_EQ(progress.values, Values{100});
}

TEST_F(StandInConverterTest, QuickConverterGetsOnlyTheFinal100) {
    WriteConverter("exit 0\n");
    ASSERT_TRUE(runner.Run(L" -i \"in.mp3\"", Follow, &progress));
    EXPECT_EQ(progress.values, Values{100});
    EXPECT_TRUE(runner.Succeeded());
}

TEST_F(StandInConverterTest, PathsReachTheConverterAsSingleUnchangedArguments) {
    WriteConverter("printf '%s\\0' \"$@\" > '" + dir.File("args") + "'\n");
    for (const std::string& source : {dir.File("Grüße \"live\" & 'mix' $x.mp3"),
                                      std::string("concat:a|b"), std::string("pipe:0")}) {
        ASSERT_TRUE(runner.Run(BuildConverterArguments(WideFromUtf8(source), L"temp/current.wav"),
                               nullptr, nullptr));
        std::ifstream in(dir.File("args"), std::ios::binary);
        std::vector<std::string> received;
        for (std::string arg; std::getline(in, arg, '\0');) {
            received.push_back(arg);
        }
        const std::string expected = source.front() == '/' ? source : "file:" + source;
        EXPECT_EQ(received, (std::vector<std::string>{"-i", expected, "-y", "-f", "wav", "-acodec",
                                                      "pcm_s16le", "temp/current.wav"}));
    }
}

TEST_F(StandInConverterTest, MissingConverterIsNotStartedAndNothingIsReported) {
    runner.program = dir.File("temp/ffmpeg");
    EXPECT_FALSE(runner.Run(L" -i \"in.mp3\"", Follow, &progress));
    EXPECT_FALSE(runner.started);
    EXPECT_TRUE(progress.values.empty());
}

} // namespace
