// The preview's renderer on one thread while another drags markers and moves the play
// position, as the feeder thread and the user-interface thread do. Run under ThreadSanitizer
// (label "tsan"): every value the two share must be written whole, without a data race.
#include "EditorRig.h"
#include "TempDir.h"
#include "TestWav.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

TEST(RenderRace, feederRendersWhileTheUserDragsMarkersAndMovesTheTimeMarker) {
    twtest::TempDir dir;
    const std::string path = dir.File("work.wav");
    ASSERT_TRUE(twtest::WriteWav(path, {8000, 2}, twtest::Pattern(2, 8000, 60)));
    twtest::EditorRig rig;
    ASSERT_TRUE(rig.Load(path));
    rig.editor.streamPos = rig.editor.StreamPosition(1);

    std::atomic<bool> stop{false};
    std::atomic<int> blocks{0};
    std::thread feeder([&] {
        std::vector<uint8_t> block(3200);
        while (!stop.load()) {
            rig.editor.RenderNextBlock(block.data(), 3200);
            blocks.fetch_add(1);
        }
    });

    for (int i = 0; i < 400; ++i) {
        rig.cut.DragTo(1, 1 + i % 7);
        rig.cut.DragTo(2, 30 + i % 20);
        rig.silence.DragTo(1, rig.cut.startValue + i % 4);
        rig.fadeIn.DragTo(1, rig.silence.startValue + i % 5);
        rig.fadeOut.DragTo(1, rig.cut.endValue - i % 6);
        rig.time.DragTo(1, 1 + i % 40);
        RingtoneEditor::OnTimeReleased(1, rig.time.startValue, &rig.editor);
        RingtoneEditor::OnCutReleased(1, rig.cut.startValue, &rig.editor);
        while (blocks.load() < i) {
            std::this_thread::yield();
        }
    }
    stop = true;
    feeder.join();

    // The order the handlers keep, and a stream position inside the timeline.
    EXPECT_LE(rig.cut.startValue, rig.silence.startValue);
    EXPECT_LE(rig.silence.startValue, rig.fadeIn.startValue);
    EXPECT_LE(rig.fadeIn.startValue, rig.fadeOut.startValue);
    EXPECT_LE(rig.fadeOut.startValue, rig.cut.endValue);
    EXPECT_LE(rig.editor.streamPos, (rig.cut.endValue + 1) * 32000);
}
