// The window's loudness measurement on its worker thread: only the newest request's figure
// comes back, it is the figure a measurement on the spot gives, and closing stops a measurement
// under way without one. Run under ThreadSanitizer (label "tsan") while this thread edits.
#include "EditorRig.h"
#include "TempDir.h"
#include "TestWav.h"

#include "editor/LoudnessWorker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

TEST(LoudnessWorker, onlyTheNewestRequestComesBackAndClosingStopsAMeasurement) {
    twtest::TempDir dir;
    const std::string path = dir.File("work.wav");
    ASSERT_TRUE(twtest::WriteWav(path, {44100, 2}, twtest::Sine({44100, 2}, 20, 440, 6000)));
    twtest::EditorRig rig;
    ASSERT_TRUE(rig.Load(path));
    const struct {
        const char* what;
        std::vector<int32_t> volumes;
        bool closeAtOnce;
    } cases[] = {
        {"one request", {80}, false},
        {"a burst, only the last counts", {100, 60, 30}, false},
        {"closed while measuring", {100}, true},
    };
    for (const auto& c : cases) {
        std::mutex mutex;
        std::condition_variable arrived;
        std::vector<LoudnessWorker::Result> results;
        auto worker = std::make_unique<LoudnessWorker>([&](const LoudnessWorker::Result& r) {
            const std::lock_guard<std::mutex> lock(mutex);
            results.push_back(r);
            arrived.notify_one();
        });
        RingtoneSound sound{2, 14, {.chorus = true, .echo = true, .reverb = true}};
        sound.effects.phoneLoudness = true;
        const int32_t fadeIn = rig.wave.fadeInStart;
        uint32_t last = 0;
        for (const int32_t volume : c.volumes) {
            sound.effects.volume = volume;
            rig.wave.fadeInStart = fadeIn;
            rig.wave.fadeInLength = 0;
            last = worker->Request(rig.wave, sound);
            // The user goes on editing while the worker measures its own copy.
            rig.wave.fadeInStart = 5;
            rig.wave.fadeInLength = 3;
        }
        if (!c.closeAtOnce) {
            std::unique_lock<std::mutex> lock(mutex);
            ASSERT_TRUE(arrived.wait_for(lock, std::chrono::seconds(60), [&] {
                return !results.empty();
            })) << c.what;
        }
        worker.reset();
        if (c.closeAtOnce) {
            EXPECT_TRUE(results.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(results.size(), 1u) << c.what;
        EXPECT_EQ(results[0].generation, last) << c.what;
        rig.wave.fadeInStart = fadeIn;
        rig.wave.fadeInLength = 0;
        const RingtoneLoudness there = RingtoneLoudness::Measure(rig.wave, sound, 0);
        EXPECT_EQ(results[0].loudness.lufs, there.lufs) << c.what;
        EXPECT_EQ(results[0].loudness.gainDb, there.gainDb) << c.what;
    }
}
