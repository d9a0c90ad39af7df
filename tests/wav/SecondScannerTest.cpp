#include "wav/SecondScanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

std::vector<SecondBars> Scan(int channels, int rate, const std::vector<int16_t>& samples,
                             size_t feedFrames = 0) {
    std::vector<SecondBars> bars;
    SecondScanner scanner(channels, rate, [&](int32_t second, SecondBars b) {
        EXPECT_EQ(second, static_cast<int32_t>(bars.size()));
        bars.push_back(b);
    });
    const size_t frames = samples.size() / static_cast<size_t>(channels);
    const size_t step = feedFrames == 0 ? frames : feedFrames;
    for (size_t f = 0; f < frames; f += step) {
        scanner.Feed(samples.data() + f * static_cast<size_t>(channels),
                     std::min(step, frames - f));
    }
    return bars;
}

// The scan as first designed, one sample pair at a time with the lower trace's sample after
// the upper's, kept inside the second for mono.
std::vector<SecondBars> Reference(int channels, int rate, const std::vector<int16_t>& samples) {
    std::vector<SecondBars> result;
    const size_t perSecond = static_cast<size_t>(channels) * static_cast<size_t>(rate);
    for (size_t start = 0; start + perSecond <= samples.size(); start += perSecond) {
        int64_t upperMax = 0, upperMin = 65536, lowerMax = 0, lowerMin = 65536;
        for (size_t k = 0; k < perSecond; k += static_cast<size_t>(channels)) {
            const int64_t a = samples[start + k] + 32767;
            const int64_t b = samples[start + std::min(k + 1, perSecond - 1)] + 32767;
            upperMax = std::max(upperMax, a);
            upperMin = std::min(upperMin, a);
            lowerMax = std::max(lowerMax, b);
            lowerMin = std::min(lowerMin, b);
        }
        result.push_back({static_cast<int32_t>((upperMax - upperMin) * 40 / 65536),
                          static_cast<int32_t>((lowerMax - lowerMin) * 40 / 65536)});
    }
    return result;
}

void ExpectSame(const std::vector<SecondBars>& actual, const std::vector<SecondBars>& expected,
                const char* what) {
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].upper, expected[i].upper) << what << " second " << i;
        EXPECT_EQ(actual[i].lower, expected[i].lower) << what << " second " << i;
    }
}

} // namespace

TEST(SecondScanner, DigitalSilenceDrawsNoBarAndFullScaleSwingDraws39Pixels) {
    std::vector<int16_t> samples(2000, 1234);
    samples.resize(4000, 0);
    samples[2000] = -32768;
    samples[2001] = 32767;
    samples[2500] = 32767;
    samples[3999] = -32768;
    const auto bars = Scan(2, 1000, samples);
    ASSERT_EQ(bars.size(), 2U);
    EXPECT_EQ(bars[0].upper, 0);
    EXPECT_EQ(bars[0].lower, 0);
    EXPECT_EQ(bars[1].upper, 39);
    EXPECT_EQ(bars[1].lower, 39);
}

TEST(SecondScanner, BarHeightStartsAtASwingOf1639) {
    EXPECT_EQ(SecondScanner::BarHeight(0, 1638), 0);
    EXPECT_EQ(SecondScanner::BarHeight(0, 1639), 1);
    EXPECT_EQ(SecondScanner::BarHeight(-32768, 32767), 39);
    EXPECT_EQ(SecondScanner::BarHeight(-32768, -32768), 0);
}

TEST(SecondScanner, MonoLowerTraceReadsTheNextSampleAndStaysInsideTheSecond) {
    // Only the first sample of each second swings: the lower trace never sees it.
    std::vector<int16_t> samples(300, 0);
    samples[0] = 32767;
    samples[100] = -32768;
    // The last sample of the third second: both traces see it, nothing of the next second.
    samples[299] = 32767;
    const auto bars = Scan(1, 100, samples);
    ASSERT_EQ(bars.size(), 3U);
    EXPECT_EQ(bars[0].upper, 19);
    EXPECT_EQ(bars[0].lower, 0);
    EXPECT_EQ(bars[1].upper, 20);
    EXPECT_EQ(bars[1].lower, 0);
    EXPECT_EQ(bars[2].upper, 19);
    EXPECT_EQ(bars[2].lower, 19);
}

TEST(SecondScanner, AgreesWithThePairwiseScanForAnyBlockSplitAndChannelCount) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> sample(-32768, 32767);
    for (int channels : {1, 2, 3, 6}) {
        for (int rate : {1, 31, 1000}) {
            std::vector<int16_t> samples(static_cast<size_t>(channels * rate) * 5 +
                                         3 * static_cast<size_t>(channels));
            // Narrow random ranges, so that bar heights differ from second to second.
            for (size_t i = 0; i < samples.size(); ++i) {
                const int width = 1 << (i / static_cast<size_t>(channels * rate) % 4 * 4);
                samples[i] =
                    static_cast<int16_t>(std::clamp(sample(random) % width, -32768, 32767));
            }
            const auto expected = Reference(channels, rate, samples);
            const std::string what =
                std::to_string(channels) + " channels at " + std::to_string(rate) + " Hz";
            ExpectSame(Scan(channels, rate, samples), expected, what.c_str());
            for (size_t feed : {size_t{1}, size_t{7}, size_t{33}, size_t{4096}}) {
                ExpectSame(Scan(channels, rate, samples, feed), expected,
                           (what + " fed " + std::to_string(feed)).c_str());
            }
        }
    }
}
