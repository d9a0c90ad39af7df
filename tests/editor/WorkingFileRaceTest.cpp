// The preview's renderer on the feeder thread while the working file is deleted, cut short and
// replaced under it, as a user or another program may do while the ringtone plays. Run under
// ThreadSanitizer (label "tsan"): no block may crash, read past what is there, or race.
#include "EditorRig.h"
#include "TempDir.h"
#include "TestWav.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

TEST(WorkingFileRace, feederRendersSilenceOrWhateverIsThereWhileTheFileChanges) {
    twtest::TempDir dir;
    const std::string path = dir.File("work.wav");
    ASSERT_TRUE(twtest::WriteWav(path, {8000, 2}, twtest::Pattern(2, 8000, 30)));
    twtest::EditorRig rig;
    ASSERT_TRUE(rig.Load(path));
    rig.editor.streamPos = rig.editor.StreamPosition(1);

    std::atomic<bool> stop{false};
    std::atomic<int> blocks{0};
    std::atomic<int> silentBlocks{0};
    std::thread feeder([&] {
        std::vector<uint8_t> block(3200);
        while (!stop.load()) {
            // No bytes at all: the layer plays silence in their place.
            const int32_t rendered = rig.editor.RenderNextBlock(block.data(), 3200);
            if (rendered == 0 ||
                std::all_of(block.begin(), block.end(), [](uint8_t b) { return b == 0; })) {
                silentBlocks.fetch_add(1);
            }
            blocks.fetch_add(1);
        }
    });
    const auto waitForBlocks = [&](int count) {
        const int until = blocks.load() + count;
        while (blocks.load() < until) {
            std::this_thread::yield();
        }
    };

    for (int round = 0; round < 20; ++round) {
        fs::remove(path);
        const int silentBefore = silentBlocks.load();
        waitForBlocks(5);
        // Blocks rendered with no file at all are silent.
        EXPECT_GE(silentBlocks.load() - silentBefore, 3);
        ASSERT_TRUE(twtest::WriteWav(path, {8000, 2}, twtest::Pattern(2, 8000, 30)));
        waitForBlocks(5);
        fs::resize_file(path, 44 + round * 1000);
        waitForBlocks(5);
        // A file of another format in its place: read as bytes at the loaded offsets.
        ASSERT_TRUE(twtest::WriteWav(dir.File("other.wav"), {44100, 1},
                                     twtest::Sine({44100, 1}, 3, 300, 5000)));
        fs::rename(dir.File("other.wav"), path);
        waitForBlocks(5);
    }
    stop = true;
    feeder.join();
    EXPECT_LE(rig.editor.streamPos, (rig.cut.endValue + 1) * 32000);
}
