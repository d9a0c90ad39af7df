// A real-world MP3 with a cover picture and thirty tags, through Debian's ffmpeg slowed to four
// times real time: its banner and tags push the "Duration" line off the 25-row screen long
// before the first poll, and the import still follows its progress as it rises.
#include "import/ImportJob.h"

#include "WorkingFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Values = std::vector<int32_t>;

void Record(int32_t value, void* user) {
    static_cast<Values*>(user)->push_back(value);
}

bool Ffmpeg(const std::string& arguments) {
    return std::system(("ffmpeg -nostdin -loglevel error -y " + arguments).c_str()) == 0;
}

TEST(TaggedMedia, ProgressMovesThoughTheDurationScrolledOffTheScreen) {
    const twtest::WorkingFolder work(twtest::WorkingFolder::Converter::None);
    std::string tags;
    for (int tag = 1; tag <= 30; ++tag) {
        tags += " -metadata tag" + std::to_string(tag) + "=value_number_" + std::to_string(tag);
    }
    ASSERT_TRUE(Ffmpeg("-f lavfi -i sine=frequency=440:duration=8 song.wav"));
    ASSERT_TRUE(Ffmpeg("-f lavfi -i testsrc=size=300x300 -frames:v 1 cover.png"));
    ASSERT_TRUE(Ffmpeg("-i song.wav -i cover.png -map 0 -map 1 -c:a libmp3lame -c:v png "
                       "-disposition:v attached_pic -id3v2_version 3" +
                       tags + " tagged.mp3"));
    // Reading at four times real time makes the 8 seconds last about two, several polls.
    twtest::WriteConverter("exec /usr/bin/ffmpeg -readrate 4 \"$@\"\n");

    ImportJob job;
    Values values;
    ASSERT_TRUE(job.Convert(L"tagged.mp3", Record, &values)) << job.Explanation();
    EXPECT_EQ(job.runner.durationValue, 8005);
    // Several positions, rising, then the one final 100.
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    Values intermediate(values.begin(), values.end() - 1);
    intermediate.erase(std::unique(intermediate.begin(), intermediate.end()), intermediate.end());
    EXPECT_GE(intermediate.size(), 2U) << ::testing::PrintToString(values);
    EXPECT_EQ(std::count(values.begin(), values.end(), 100), 1);
    EXPECT_EQ(values.back(), 100);
    EXPECT_EQ(job.header.durationSeconds, 8);
}

} // namespace
