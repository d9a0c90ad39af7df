#include "wav/WavHeader.h"
#include "WavBytes.h"

#include <gtest/gtest.h>

using twtest::WavBytes;

namespace {

WavError Parse(const WavBytes& b, WavHeader& header, int64_t fileSize = -1) {
    const int64_t size = fileSize < 0 ? static_cast<int64_t>(b.bytes.size()) : fileSize;
    return header.Parse(b.bytes.data(), b.bytes.size(), size);
}

} // namespace

TEST(WavHeader, CanonicalHeaderPutsTheSamplesAtByte44AndDropsThePartSecond) {
    WavBytes b;
    b.Riff().Fmt(1, 2, 44100, 16).DataHeader(176400 * 10 + 158760).Zeros(176400 * 10 + 158760);
    WavHeader h;
    ASSERT_EQ(Parse(b, h), WavError::None);
    EXPECT_EQ(h.channels, 2);
    EXPECT_EQ(h.sampleRate, 44100);
    EXPECT_EQ(h.bitsPerSample, 16);
    EXPECT_EQ(h.byteRate, 176400);
    EXPECT_EQ(h.dataOffset, 44);
    EXPECT_EQ(h.dataSize, 176400 * 10 + 158760);
    EXPECT_EQ(h.durationSeconds, 10);
}

TEST(WavHeader, ChunksBetweenFormatAndDataAreSkippedIncludingOddPadding) {
    WavBytes b;
    b.Riff().Fmt(1, 1, 8000, 16).Tag("LIST").U32(26).Zeros(26).Tag("junk").U32(3).Zeros(4);
    b.DataHeader(32000).Zeros(32000);
    WavHeader h;
    ASSERT_EQ(Parse(b, h), WavError::None);
    EXPECT_EQ(h.dataOffset, 12 + 24 + 34 + 12 + 8);
    EXPECT_EQ(h.durationSeconds, 2);
}

TEST(WavHeader, RefusesHeadersThatWouldDivideByZeroOrScanGarbage) {
    struct Case {
        const char* what;
        WavBytes bytes;
        WavError expected;
    };
    std::vector<Case> cases;
    cases.push_back({"zero channels", WavBytes().Riff().Fmt(1, 0, 8000, 16).DataHeader(4).Zeros(4),
                     WavError::NoChannels});
    cases.push_back({"zero rate", WavBytes().Riff().Fmt(1, 1, 0, 16).DataHeader(4).Zeros(4),
                     WavError::NoSampleRate});
    cases.push_back(
        {"8-bit", WavBytes().Riff().Fmt(1, 1, 8000, 8).DataHeader(4).Zeros(4), WavError::Not16Bit});
    cases.push_back({"24-bit", WavBytes().Riff().Fmt(1, 1, 8000, 24).DataHeader(6).Zeros(6),
                     WavError::Not16Bit});
    cases.push_back(
        {"a-law", WavBytes().Riff().Fmt(6, 1, 8000, 16).DataHeader(4).Zeros(4), WavError::NotPcm});
    cases.push_back(
        {"no data chunk", WavBytes().Riff().Fmt(1, 1, 8000, 16).Zeros(64), WavError::NoDataChunk});
    cases.push_back(
        {"data before fmt", WavBytes().Riff().DataHeader(4).Zeros(4), WavError::NoFormatChunk});
    cases.push_back({"short fmt", WavBytes().Riff().Tag("fmt ").U32(8).Zeros(8).DataHeader(0),
                     WavError::NoFormatChunk});
    cases.push_back({"not RIFF", WavBytes().Tag("RIFX").U32(0).Tag("WAVE").Fmt(1, 1, 8000, 16),
                     WavError::NotRiffWave});
    cases.push_back({"empty", WavBytes(), WavError::NotRiffWave});
    cases.push_back({"data beyond the file",
                     WavBytes().Riff().Fmt(1, 2, 44100, 16).DataHeader(0xFFFFFFFF).Zeros(176400),
                     WavError::DataLargerThanFile});
    cases.push_back({"rate overflows",
                     WavBytes().Riff().Fmt(1, 65535, 0xFFFFFFFF, 16).DataHeader(4).Zeros(4),
                     WavError::FormatTooLarge});
    for (const Case& c : cases) {
        WavHeader h;
        h.durationSeconds = 77;
        EXPECT_EQ(Parse(c.bytes, h), c.expected) << c.what;
        EXPECT_EQ(h.durationSeconds, 77) << c.what << ": a refused header changes nothing";
    }
}

TEST(WavHeader, DataRunningPastTheEndOfTheFileIsClippedToWhatItHolds) {
    // Claims 48000 bytes, holds 47990 after the header: the size still lies within the
    // file's length, so the header is believed and the data clipped.
    WavBytes b;
    b.Riff().Fmt(1, 1, 8000, 16).DataHeader(48000).Zeros(47990);
    WavHeader h;
    ASSERT_EQ(Parse(b, h), WavError::None);
    EXPECT_EQ(h.dataSize, 47990);
    EXPECT_EQ(h.durationSeconds, 2);
}

TEST(WavHeader, DataOf2GiBIsRefusedAndJustBelowIsAccepted) {
    const int64_t gib2 = int64_t{1} << 31;
    WavBytes tooLong;
    tooLong.Riff().Fmt(1, 2, 44100, 16).DataHeader(static_cast<uint32_t>(gib2));
    WavHeader h;
    EXPECT_EQ(Parse(tooLong, h, 44 + gib2), WavError::TooLong);

    WavBytes fits;
    fits.Riff().Fmt(1, 2, 44100, 16).DataHeader(static_cast<uint32_t>(gib2 - 4));
    ASSERT_EQ(Parse(fits, h, 44 + gib2 - 4), WavError::None);
    EXPECT_EQ(h.durationSeconds, (gib2 - 4) / 176400);
    EXPECT_GT(h.durationSeconds, 3 * 3600 + 20 * 60);
}
