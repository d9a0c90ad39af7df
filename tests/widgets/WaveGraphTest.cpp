#include "TestWav.h"
#include "WidgetPictures.h"
#include "widgets/twWaveGraph.h"

#include <gtest/gtest.h>
#include <wx/frame.h>

#include <cerrno>
#include <vector>

using twtest::kBlack;
using twtest::kWhite;
using twtest::PixelIs;
using twtest::WavFormat;

namespace {

const wxColour kGrey(192, 192, 192);
const wxColour kGreen(4, 255, 0);
const wxColour kRed(255, 0, 0);
const wxColour kBlue(0, 0, 255);

const WavFormat kFormat{8000, 2, false};

// One entry per second: true for a full-scale swing on both channels, false for silence.
std::vector<int16_t> Seconds(const std::vector<bool>& loud, const WavFormat& format = kFormat) {
    std::vector<int16_t> samples;
    for (bool l : loud) {
        for (int f = 0; f < format.sampleRate; ++f) {
            const int16_t v = !l ? int16_t{0} : (f % 2 == 0 ? int16_t{32767} : int16_t{-32768});
            samples.insert(samples.end(), static_cast<size_t>(format.channels), v);
        }
    }
    return samples;
}

class WaveGraphTest : public ::testing::Test {
protected:
    WaveGraphTest() : frame(new wxFrame(nullptr, wxID_ANY, "graph")) {
        graph = new twWaveGraph(frame, "panel");
    }
    ~WaveGraphTest() override { frame->Destroy(); }

    std::string Wav(const std::string& name, const std::vector<int16_t>& samples,
                    const WavFormat& format = kFormat) {
        std::string path = dir.File(name);
        EXPECT_TRUE(twtest::WriteWav(path, format, samples));
        return path;
    }

    // The edit fields as the editor sets them for an untouched file of `seconds` seconds.
    void Untouched(int seconds) {
        graph->selectionStart = 1;
        graph->selectionExtent = seconds - 1;
        graph->silenceStart = 1;
        graph->silenceLength = 0;
        graph->fadeInStart = 1;
        graph->fadeInLength = 0;
        graph->fadeOutStart = seconds;
        graph->fadeOutLength = 0;
        graph->markerSecond = 1;
        graph->playPosition = 1.0;
    }

    wxImage Paint(int width) {
        return twtest::Render(width, twWaveGraph::kPictureHeight, [this, width](wxDC& dc) {
            graph->Draw(dc, wxSize(width, twWaveGraph::kPictureHeight));
        });
    }

    twtest::TempDir dir;
    wxFrame* frame;
    twWaveGraph* graph;
};

} // namespace

TEST_F(WaveGraphTest, StartsBlankAndPaintsNothingOfThePictureBeforeTheFirstLoad) {
    EXPECT_FALSE(graph->loaded);
    EXPECT_EQ(graph->durationSeconds, -1);
    ASSERT_TRUE(graph->waveBitmap->IsOk());
    EXPECT_EQ(graph->waveBitmap->GetWidth(), 394);
    EXPECT_EQ(graph->waveBitmap->GetHeight(), 82);
    const wxImage picture = graph->waveBitmap->ConvertToImage();
    EXPECT_TRUE(PixelIs(picture, 200, 40, kGrey, "blank-picture"));
    // silenceStart 0 makes the first copy's width negative: it must draw nothing.
    const wxImage shown = Paint(60);
    EXPECT_TRUE(PixelIs(shown, 1, 40, kWhite, "blank-graph"));
    EXPECT_TRUE(PixelIs(shown, 30, 40, kGrey, "blank-graph"));
}

TEST_F(WaveGraphTest, LoadDrawsOneColumnPerWholeSecond) {
    const WavFormat stereo{44100, 2, true};
    auto samples =
        Seconds({true, false, true, false, false, false, false, false, false, true}, stereo);
    const auto tail = twtest::Sine(stereo, 0.9, 440.0, 30000);
    samples.insert(samples.end(), tail.begin(), tail.end());
    const std::string path = Wav("a.wav", samples, stereo);

    ASSERT_TRUE(graph->Load(path, nullptr));
    EXPECT_TRUE(graph->loaded);
    EXPECT_EQ(graph->durationSeconds, 10);
    EXPECT_EQ(graph->channels, 2);
    EXPECT_EQ(graph->sampleRate, 44100);
    EXPECT_EQ(graph->byteRate, 176400);
    EXPECT_EQ(graph->bitsPerSample, 16);
    EXPECT_EQ(graph->dataOffset, 78) << "after the converter's LIST chunk";
    EXPECT_EQ(graph->fileName, path);
    ASSERT_EQ(graph->waveBitmap->GetWidth(), 10);
    ASSERT_EQ(graph->waveBitmap->GetHeight(), 82);
    const wxImage picture = graph->waveBitmap->ConvertToImage();
    // A full-scale swing: 39 pixels above the gap (rows 1 to 39) and below it (42 to 80).
    for (int y = 0; y < 82; ++y) {
        const bool bar = (y >= 1 && y <= 39) || (y >= 42 && y <= 80);
        EXPECT_TRUE(PixelIs(picture, 0, y, bar ? kGreen : kGrey, "loaded-picture"));
        EXPECT_TRUE(PixelIs(picture, 1, y, kGrey, "loaded-picture")) << "digital silence";
        EXPECT_TRUE(PixelIs(picture, 9, y, bar ? kGreen : kGrey, "loaded-picture"));
    }
}

TEST_F(WaveGraphTest, AFailedLoadLeavesThePreviousFileOnScreen) {
    const std::string good = Wav("good.wav", Seconds({true, true, true}));
    ASSERT_TRUE(graph->Load(good, nullptr));
    const wxBitmap* picture = graph->waveBitmap.get();

    EXPECT_FALSE(graph->Load(dir.File("missing.wav"), nullptr));
    EXPECT_EQ(graph->loadError, WavError::NoFile);
    EXPECT_EQ(graph->fileName, good);

    const std::string noChannels = Wav("bad.wav", {}, WavFormat{8000, 0, false});
    EXPECT_FALSE(graph->Load(noChannels, nullptr));
    EXPECT_EQ(graph->loadError, WavError::NoChannels);
    EXPECT_EQ(graph->fileName, good);

    // A path that exists but can't be read as a file: only the name is taken.
    EXPECT_FALSE(graph->Load(dir.Path().string(), nullptr));
    EXPECT_EQ(graph->loadError, WavError::CantOpen);
    EXPECT_EQ(graph->loadSystemError, EISDIR);
    EXPECT_EQ(graph->fileName, dir.Path().string());

    EXPECT_EQ(graph->waveBitmap.get(), picture);
    EXPECT_EQ(graph->durationSeconds, 3);
    EXPECT_EQ(graph->channels, 2);
    EXPECT_EQ(graph->byteRate, 32000);
    EXPECT_TRUE(graph->loaded);
}

TEST_F(WaveGraphTest, AtZoom4EachSecondIsFourPixelsRightOfTheMargin) {
    ASSERT_TRUE(graph->Load(
        Wav("a.wav", Seconds({true, false, true, false, true, false, true, false, true, false})),
        nullptr));
    Untouched(10);
    graph->zoom = 4;
    graph->playPosition = 3.5;
    const wxImage shown = Paint(60);
    const std::string name = "zoom4";
    // Second s spans x 4(s - 1) + 3 to 4s + 2; the range outline's left edge is on x 3 and
    // the marker of second 1 on x 5.
    EXPECT_TRUE(PixelIs(shown, 3, 20, kRed, name));
    EXPECT_TRUE(PixelIs(shown, 4, 20, kGreen, name));
    EXPECT_TRUE(PixelIs(shown, 5, 20, kBlue, name));
    EXPECT_TRUE(PixelIs(shown, 6, 20, kGreen, name));
    for (int x = 7; x <= 10; ++x) {
        EXPECT_TRUE(PixelIs(shown, x, 20, kGrey, name));
    }
    EXPECT_TRUE(PixelIs(shown, 11, 20, kGreen, name));
    // The play cursor at 3.5: (3.5 - 1) x 4 + 3 + 2 = 15.
    EXPECT_TRUE(PixelIs(shown, 15, 40, kBlue, name));
    EXPECT_TRUE(PixelIs(shown, 16, 60, kGrey, name));
    // The outline's right edge on the last column of second 10, then the white right margin.
    EXPECT_TRUE(PixelIs(shown, 42, 20, kRed, name));
    EXPECT_TRUE(PixelIs(shown, 43, 20, kWhite, name));
    EXPECT_TRUE(PixelIs(shown, 59, 20, kWhite, name));
    EXPECT_TRUE(PixelIs(shown, 2, 20, kWhite, name));
    EXPECT_TRUE(PixelIs(shown, 20, 1, kRed, name));
    EXPECT_TRUE(PixelIs(shown, 20, 81, kRed, name));
}

TEST_F(WaveGraphTest, ScrollingMovesThePictureUnderTheFixedMargin) {
    ASSERT_TRUE(graph->Load(
        Wav("a.wav", Seconds({true, false, true, false, true, false, true, false, true, false})),
        nullptr));
    Untouched(10);
    graph->zoom = 4;
    graph->scrollOffset = 10;
    const wxImage shown = Paint(60);
    const std::string name = "scroll10";
    // Window x 0 shows scaled pixel 7; the margin covers x 0 to 2, x 3 shows pixel 10.
    EXPECT_TRUE(PixelIs(shown, 2, 20, kWhite, name));
    EXPECT_TRUE(PixelIs(shown, 3, 20, kGreen, name));
    EXPECT_TRUE(PixelIs(shown, 4, 20, kGreen, name));
    EXPECT_TRUE(PixelIs(shown, 5, 20, kGrey, name));
    EXPECT_TRUE(PixelIs(shown, 8, 20, kGrey, name));
    EXPECT_TRUE(PixelIs(shown, 9, 20, kGreen, name));
    EXPECT_TRUE(PixelIs(shown, 33, 20, kWhite, name)) << "right margin at 3 - 10 + 40";
}

TEST_F(WaveGraphTest, InsertedSilenceShiftsTheRestOfTheAudioRight) {
    ASSERT_TRUE(graph->Load(Wav("a.wav", Seconds(std::vector<bool>(8, true))), nullptr));
    Untouched(8);
    graph->silenceStart = 5;
    graph->silenceLength = 3;
    graph->selectionStart = 5;
    graph->selectionExtent = 3;
    graph->fadeInStart = 8;
    graph->fadeOutStart = 10;
    graph->markerSecond = 20;
    graph->playPosition = 20.0;
    const wxImage shown = Paint(30);
    const std::string name = "silence";
    for (int x = 3; x <= 6; ++x) {
        EXPECT_TRUE(PixelIs(shown, x, 20, kGreen, name)) << "seconds 1 to 4";
    }
    EXPECT_TRUE(PixelIs(shown, 7, 20, kRed, name)) << "range outline from the cut start";
    EXPECT_TRUE(PixelIs(shown, 8, 20, kGrey, name));
    EXPECT_TRUE(PixelIs(shown, 9, 20, kGrey, name));
    EXPECT_TRUE(PixelIs(shown, 10, 20, kBlack, name)) << "end of the silence";
    EXPECT_TRUE(PixelIs(shown, 11, 20, kGreen, name)) << "audio second 6";
    EXPECT_TRUE(PixelIs(shown, 13, 20, kGreen, name)) << "audio second 8";
    EXPECT_TRUE(PixelIs(shown, 14, 20, kWhite, name)) << "right margin after 8 + 3 seconds";
    EXPECT_TRUE(PixelIs(shown, 29, 20, kWhite, name));
}

namespace {

// Whether column x has a black pixel within one row of y.
bool BlackNear(const wxImage& image, int x, int y) {
    for (int r = y - 1; r <= y + 1; ++r) {
        if (image.GetRed(x, r) == 0 && image.GetGreen(x, r) == 0 && image.GetBlue(x, r) == 0) {
            return true;
        }
    }
    return false;
}

int BlackInColumn(const wxImage& image, int x, int from, int to) {
    int count = 0;
    for (int y = from; y <= to; ++y) {
        count += image.GetRed(x, y) == 0 && image.GetGreen(x, y) == 0 && image.GetBlue(x, y) == 0;
    }
    return count;
}

} // namespace

TEST_F(WaveGraphTest, FadesDrawWedgesJoinedByTheEnvelope) {
    ASSERT_TRUE(graph->Load(Wav("a.wav", Seconds(std::vector<bool>(10, false))), nullptr));
    Untouched(10);
    graph->zoom = 4;
    graph->markerSecond = 30;
    graph->playPosition = 30.0;
    graph->fadeInLength = 3;
    graph->fadeOutStart = 7;
    graph->fadeOutLength = 3;
    const wxImage fades = Paint(60);
    // Fade-in from (3, 41) opening to x 15 at rows 2 and 80; the envelope from x 15 to x 31;
    // the fade-out from x 31 closing on (43, 41).
    EXPECT_TRUE(BlackNear(fades, 9, 21) && BlackNear(fades, 9, 60) && BlackNear(fades, 4, 40) &&
                BlackNear(fades, 20, 2) && BlackNear(fades, 20, 80) &&
                BlackInColumn(fades, 20, 4, 78) == 0 && BlackNear(fades, 37, 21) &&
                BlackNear(fades, 37, 60) && BlackNear(fades, 42, 40))
        << "picture kept at " << twtest::Keep(fades, "fades");

    // Without fades only the envelope's top and bottom, from X(2) = 11 to X(8) = 35.
    graph->fadeInStart = 3;
    graph->fadeInLength = 0;
    graph->fadeOutStart = 8;
    graph->fadeOutLength = 0;
    const wxImage flat = Paint(60);
    EXPECT_TRUE(BlackNear(flat, 12, 2) && BlackNear(flat, 34, 80) &&
                BlackInColumn(flat, 8, 0, 81) == 0 && BlackInColumn(flat, 38, 0, 81) == 0 &&
                BlackInColumn(flat, 20, 4, 78) == 0)
        << "picture kept at " << twtest::Keep(flat, "no-fades");
}

TEST_F(WaveGraphTest, AFileUnderOneSecondLoadsAsAnEmptyPicture) {
    ASSERT_TRUE(graph->Load(Wav("short.wav", twtest::Sine(kFormat, 0.5, 440.0, 30000)), nullptr));
    EXPECT_EQ(graph->durationSeconds, 0);
    EXPECT_FALSE(graph->waveBitmap->IsOk());
    Untouched(0);
    graph->zoom = 4;
    const wxImage shown = Paint(40);
    EXPECT_TRUE(PixelIs(shown, 20, 40, kWhite, "empty-picture"));
}

TEST_F(WaveGraphTest, PicturesWiderThanTheDrawingSystemAllowsStillPaint) {
    // Mono at 2 Hz: 40000 seconds in 160 kB, a picture 40000 columns wide.
    const WavFormat slow{2, 1, false};
    std::vector<int16_t> samples(80000, 0);
    samples[79980] = 32767;
    samples[79981] = -32768;
    ASSERT_TRUE(graph->Load(Wav("long.wav", samples, slow), nullptr));
    ASSERT_EQ(graph->durationSeconds, 40000);
    Untouched(40000);
    graph->markerSecond = 0;
    graph->zoom = 4;
    graph->scrollOffset = 39989 * 4 - 8;
    const wxImage shown = Paint(60);
    // Second 39991 at X(39990) = 39990 x 4 + 3 - scrollOffset = 15.
    EXPECT_TRUE(PixelIs(shown, 14, 20, kGrey, "wide"));
    EXPECT_TRUE(PixelIs(shown, 15, 20, kGreen, "wide"));
    EXPECT_TRUE(PixelIs(shown, 18, 20, kGreen, "wide"));
    EXPECT_TRUE(PixelIs(shown, 19, 20, kGrey, "wide"));
}
