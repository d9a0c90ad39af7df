// The renderer of the edited ringtone: silence insertion, the two fades, where it reads the
// working file, and the preview's stepping and looping from block to block.
#include "EditorRig.h"
#include "TempDir.h"
#include "TestWav.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

using twtest::EditorRig;

namespace {

// A graph over a file of the given samples with no edits: no silence, no fades.
class Render : public ::testing::Test {
protected:
    void Make(const twtest::WavFormat& format, const std::vector<int16_t>& samples) {
        source = samples;
        path = dir.File("work.wav");
        ASSERT_TRUE(twtest::WriteWav(path, format, samples));
        ASSERT_EQ(wave.LoadMedia(path), WavError::None);
        rate = wave.byteRate;
        wave.silenceStart = 1;
        wave.silenceLength = 0;
        wave.fadeInStart = 1;
        wave.fadeInLength = 0;
        const int32_t seconds = wave.durationSeconds;
        wave.fadeOutStart = seconds + 1;
        wave.fadeOutLength = 0;
    }
    // Renders n bytes whose first byte lies at timeline offset q.
    std::vector<int16_t> At(int64_t q, int32_t n) {
        std::vector<uint8_t> block(static_cast<size_t>(n), 0xAB);
        EXPECT_EQ(wave.RenderEdited(block.data(), n, static_cast<int32_t>(q + rate)), n);
        return twtest::Words(block);
    }
    // The source words from data offset d on.
    std::vector<int16_t> Source(int64_t d, int32_t n) {
        return {source.begin() + d / 2, source.begin() + (d + n) / 2};
    }

    twtest::TempDir dir;
    std::string path;
    std::vector<int16_t> source;
    EditedWave wave;
    int64_t rate = 0;
};

} // namespace

TEST_F(Render, readsTheTimelineFromTheFilesSampleDataWhateverChunksComeFirst) {
    Make({44100, 2, true}, twtest::Pattern(2, 44100, 12));
    ASSERT_EQ(wave.dataOffset, 78);
    EXPECT_EQ(At(0, 1000), Source(0, 1000));
    EXPECT_EQ(At(9 * rate, 17640), Source(9 * rate, 17640));
}

TEST_F(Render, secondTenStartsAtFileOffset1587644OfACanonicalFile) {
    Make({44100, 2}, twtest::Pattern(2, 44100, 12));
    ASSERT_EQ(wave.dataOffset, 44);
    std::ifstream file(path, std::ios::binary);
    file.seekg(1587644);
    std::vector<int16_t> raw(50);
    file.read(reinterpret_cast<char*>(raw.data()), 100);
    EXPECT_EQ(At(9 * rate, 100), raw);
}

TEST_F(Render, silenceIsZerosAndTheSourceResumesAtTheCutStartAfterIt) {
    Make({8000, 1}, twtest::Pattern(1, 8000, 20));
    // Silence from second 5 for 3 seconds: timeline bytes [64000, 112000).
    wave.silenceStart = 5;
    wave.silenceLength = 3;
    wave.fadeInStart = 8;
    wave.fadeOutStart = 24;
    EXPECT_EQ(At(70000, 2000), std::vector<int16_t>(1000, 0));
    // Straddling the silence's end: 1000 bytes of zeros, then the source from the cut start.
    const std::vector<int16_t> words = At(111000, 4000);
    EXPECT_EQ(std::vector<int16_t>(words.begin(), words.begin() + 500),
              std::vector<int16_t>(500, 0));
    EXPECT_EQ(std::vector<int16_t>(words.begin() + 500, words.end()), Source(64000, 3000));
    // Before the silence the timeline is the source itself.
    EXPECT_EQ(At(60000, 8000), [&] {
        std::vector<int16_t> expected = Source(60000, 8000);
        std::fill(expected.begin() + 2000, expected.end(), 0);
        return expected;
    }());
}

TEST_F(Render, fadeInHalvesTheWordOneSecondIntoATwoSecondFadeTruncatingTowardZero) {
    std::vector<int16_t> samples(8000 * 5, 1001);
    samples[8000] = 1001;
    samples[8001] = -1001;
    Make({8000, 1}, samples);
    wave.fadeInStart = 1;
    wave.fadeInLength = 2;
    const std::vector<int16_t> words = At(16000, 4);
    EXPECT_EQ(words[0], 500);
    EXPECT_EQ(words[1], -500);
    EXPECT_EQ(At(0, 2)[0], 0) << "the fade starts from nothing";
    EXPECT_EQ(At(32000, 2)[0], 1001) << "and ends at the full word";
}

TEST_F(Render, zeroLengthFadeOutSilencesEverythingPastTheCutEnd) {
    Make({8000, 1}, std::vector<int16_t>(8000 * 12, 1234));
    // Cut end and fade-out marker at second 11: timeline byte 160000.
    wave.fadeOutStart = 11;
    wave.fadeOutLength = 0;
    const std::vector<int16_t> words = At(160000 - 1000, 4000);
    EXPECT_EQ(std::vector<int16_t>(words.begin(), words.begin() + 500),
              std::vector<int16_t>(500, 1234));
    EXPECT_EQ(std::vector<int16_t>(words.begin() + 501, words.end()),
              std::vector<int16_t>(1499, 0));
}

TEST_F(Render, missingFileGivesNothingAndLeavesTheBufferAlone) {
    Make({8000, 1}, twtest::Pattern(1, 8000, 2));
    std::filesystem::remove(path);
    std::vector<uint8_t> block(100, 0xAB);
    EXPECT_EQ(wave.RenderEdited(block.data(), 100, 16000), 0);
    EXPECT_EQ(block, std::vector<uint8_t>(100, 0xAB));
}

TEST_F(Render, bytesPastTheSampleDataAreZero) {
    Make({8000, 1}, twtest::Pattern(1, 8000, 2));
    const std::vector<int16_t> words = At(31000, 2000);
    EXPECT_EQ(std::vector<int16_t>(words.begin(), words.begin() + 500), Source(31000, 1000));
    EXPECT_EQ(std::vector<int16_t>(words.begin() + 500, words.end()), std::vector<int16_t>(500, 0));
}

// A whole ringtone with silence and both fades, rendered in irregular blocks, against a
// word-by-word computation straight from the edit parameters.
TEST_F(Render, wholeRingtoneInOddBlocksMatchesAReferenceComputation) {
    Make({44100, 2}, twtest::Pattern(2, 44100, 20));
    const int64_t cutStart = 3, cutEnd = 17, silence = 2, fadeIn = 3, fadeOut = 4;
    wave.silenceStart = cutStart;
    wave.silenceLength = silence;
    wave.fadeInStart = cutStart + silence;
    wave.fadeInLength = fadeIn;
    wave.fadeOutStart = cutEnd - fadeOut;
    wave.fadeOutLength = fadeOut;

    const int64_t s = (cutStart - 1) * rate, g = silence * rate;
    const int64_t fi = (cutStart + silence - 1) * rate, li = fadeIn * rate;
    const int64_t fo = (cutEnd - fadeOut - 1) * rate, lo = fadeOut * rate;
    const int64_t end = (cutEnd - 1) * rate;
    const auto reference = [&](int64_t x) -> int16_t {
        int64_t d = x;
        if (x >= s && x < s + g) {
            return 0;
        }
        if (x >= s + g) {
            d = x - g;
        }
        double w = source.at(static_cast<size_t>(d / 2));
        w = static_cast<int32_t>(w * std::clamp(static_cast<double>(x - fi) / li, 0.0, 1.0));
        w = static_cast<int32_t>(w *
                                 (1.0 - std::clamp(static_cast<double>(x - fo) / lo, 0.0, 1.0)));
        return static_cast<int16_t>(w);
    };

    const int32_t sizes[] = {17642, 2, 4410, 998, 30002, 1234, 6};
    size_t next = 0;
    int64_t mismatches = 0;
    for (int64_t q = s; q < end;) {
        const int32_t n = static_cast<int32_t>(std::min<int64_t>(sizes[next++ % 7], end - q));
        const std::vector<int16_t> words = At(q, n);
        for (size_t k = 0; k < words.size(); ++k) {
            const int64_t x = q + 2 * static_cast<int64_t>(k);
            if (words[k] != reference(x) && mismatches++ < 5) {
                ADD_FAILURE() << "timeline byte " << x << ": " << words[k] << ", expected "
                              << reference(x);
            }
        }
        q += n;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(PreviewLoop, passingTheCutEndRendersOneSilentBlockThenStartsOver) {
    twtest::TempDir dir;
    const std::string path = dir.File("work.wav");
    ASSERT_TRUE(twtest::WriteWav(path, {44100, 2}, twtest::Pattern(2, 44100, 20)));
    EditorRig rig;
    ASSERT_TRUE(rig.Load(path));
    ASSERT_TRUE(rig.cut.DragTo(2, 11));
    ASSERT_EQ(rig.wave.byteRate, 176400);
    rig.editor.streamPos = rig.editor.StreamPosition(rig.cut.startValue);

    std::vector<uint8_t> block(17640);
    std::vector<int32_t> positions;
    std::vector<std::vector<uint8_t>> blocks;
    for (int i = 0; i < 102; ++i) {
        positions.push_back(rig.editor.streamPos);
        ASSERT_EQ(rig.editor.RenderNextBlock(block.data(), 17640), 17640u);
        blocks.push_back(block);
        if (i == 100) {
            EXPECT_EQ(rig.editor.streamPos, 176400) << "back at the cut start";
            EXPECT_EQ(rig.wave.playPosition, 1.0);
        }
    }
    // Data offset = stream position - byte rate.
    EXPECT_EQ(positions[0] - 176400, 0);
    EXPECT_EQ(positions[100] - 176400, 1764000) << "block 101 starts at the cut end";
    EXPECT_EQ(blocks[100], std::vector<uint8_t>(17640, 0));
    EXPECT_EQ(positions[101] - 176400, 0);
    EXPECT_EQ(blocks[101], blocks[0]);
    EXPECT_EQ(rig.wave.playPosition, (176400 + 17640) / 176400.0);
}

TEST(PreviewLoop, missingFileStillAdvancesAndLoops) {
    twtest::TempDir dir;
    const std::string path = dir.File("work.wav");
    ASSERT_TRUE(twtest::WriteWav(path, {8000, 1}, twtest::Pattern(1, 8000, 10)));
    EditorRig rig;
    ASSERT_TRUE(rig.Load(path));
    std::filesystem::remove(path);
    rig.editor.streamPos = 16000;
    std::vector<uint8_t> block(16000);
    EXPECT_EQ(rig.editor.RenderNextBlock(block.data(), 16000), 0u);
    EXPECT_EQ(rig.editor.streamPos, 32000);
    for (int i = 0; i < 9; ++i) {
        rig.editor.RenderNextBlock(block.data(), 16000);
    }
    EXPECT_EQ(rig.editor.streamPos, 16000) << "looped at the cut end, second 10";
}

TEST(PreviewLoop, releasedTimeMarkerIsWhereTheNextBlockRendersFrom) {
    twtest::TempDir dir;
    const std::string path = dir.File("work.wav");
    const std::vector<int16_t> samples = twtest::Pattern(1, 8000, 30);
    ASSERT_TRUE(twtest::WriteWav(path, {8000, 1}, samples));
    EditorRig rig;
    ASSERT_TRUE(rig.Load(path));
    rig.editor.streamPos = 16000;
    std::vector<uint8_t> block(1600);
    rig.editor.RenderNextBlock(block.data(), 1600);
    RingtoneEditor::OnTimeReleased(1, 10, &rig.editor);
    rig.editor.RenderNextBlock(block.data(), 1600);
    EXPECT_EQ(twtest::Words(block),
              std::vector<int16_t>(samples.begin() + 9 * 8000, samples.begin() + 9 * 8000 + 800));
}
