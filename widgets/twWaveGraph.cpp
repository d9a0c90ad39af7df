#include "widgets/twWaveGraph.h"

#include "wav/WaveFile.h"
#include "widgets/SelfDrawnWindow.h"

#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/progdlg.h>
#include <wx/stopwatch.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kBlankWidth = (200 - 3) * 2;
constexpr int kGapTop = 40;
constexpr int kLowerTop = 42;
constexpr unsigned char kGrey = 192;
const wxColour kBarColour(4, 255, 0);
const wxColour kCursorColour(0, 0, 255);
constexpr long kPulseMilliseconds = 10;

} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(twWaveGraph, wxWindow)
    EVT_PAINT(twWaveGraph::OnPaint)
wxEND_EVENT_TABLE()
    // clang-format on

    twWaveGraph::twWaveGraph(wxWindow* parent, const wxString& name)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, name) {
    // The buffered paint context draws everything; the toolkit must not erase first.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    ShowFocusMark(this);
    waveBitmap = std::make_unique<wxBitmap>(kBlankWidth, kPictureHeight, 24);
    wxMemoryDC dc(*waveBitmap);
    dc.SetPen(*wxLIGHT_GREY_PEN);
    dc.SetBrush(*wxLIGHT_GREY_BRUSH);
    dc.DrawRectangle(0, 0, kBlankWidth, kPictureHeight);
}

twWaveGraph::~twWaveGraph() = default;

bool twWaveGraph::Load(const wxString& path, wxProgressDialog* progress) {
    WaveFile file;
    const WavError opened = file.Open(std::string(path.fn_str()));
    loadSystemError = 0;
    if (opened != WavError::None) {
        loadError = opened;
        loadSystemError = file.systemError;
        if (opened == WavError::CantOpen) {
            fileName = path;
        }
        return false;
    }
    const WavHeader& header = file.header;
    const int width = header.durationSeconds;
    wxImage picture;
    if (width > 0) {
        picture.Create(width, kPictureHeight, false);
        std::memset(picture.GetData(), kGrey, static_cast<size_t>(width) * kPictureHeight * 3);
    }
    wxStopWatch watch;
    const WavError scanned = file.ScanSeconds([&](int32_t column, SecondBars bars) {
        for (int y = kGapTop - bars.upper; y < kGapTop; ++y) {
            picture.SetRGB(column, y, kBarColour.Red(), kBarColour.Green(), kBarColour.Blue());
        }
        for (int y = kLowerTop; y < kLowerTop + bars.lower; ++y) {
            picture.SetRGB(column, y, kBarColour.Red(), kBarColour.Green(), kBarColour.Blue());
        }
        if (progress != nullptr && watch.Time() >= kPulseMilliseconds) {
            progress->Pulse(wxEmptyString);
            watch.Start();
        }
    });
    if (scanned != WavError::None) {
        loadError = scanned;
        loadSystemError = file.systemError;
        return false;
    }
    // A file under one second has no columns; an invalid bitmap stands for the empty picture.
    waveBitmap = width > 0 ? std::make_unique<wxBitmap>(picture, 24) : std::make_unique<wxBitmap>();
    fileName = path;
    SetMedia(header, std::string(path.fn_str()));
    loadError = WavError::None;
    return true;
}

int twWaveGraph::PictureWidth() const {
    return waveBitmap->IsOk() ? waveBitmap->GetWidth() : 0;
}

void twWaveGraph::CopyScaled(wxDC& dc, int sourceX, int width, int destX, int clientWidth) const {
    if (destX < 0) {
        sourceX -= destX;
        width += destX;
        destX = 0;
    }
    if (sourceX < 0) {
        destX -= sourceX;
        width += sourceX;
        sourceX = 0;
    }
    width = std::min({width, PictureWidth() * zoom - sourceX, clientWidth - destX});
    if (width <= 0 || zoom <= 0) {
        return;
    }
    // Only the visible columns are scaled, by pixel replication: the cost of a paint doesn't
    // grow with the file, and no picture wider than the drawing system allows is ever made.
    const int first = sourceX / zoom;
    const int count = (sourceX + width - 1) / zoom - first + 1;
    const wxImage columns =
        waveBitmap->GetSubBitmap(wxRect(first, 0, count, kPictureHeight)).ConvertToImage();
    const wxImage scaled = columns.Scale(count * zoom, kPictureHeight, wxIMAGE_QUALITY_NEAREST);
    const wxImage visible =
        scaled.GetSubImage(wxRect(sourceX - first * zoom, 0, width, kPictureHeight));
    dc.DrawBitmap(wxBitmap(visible, 24), destX, 0, false);
}

void twWaveGraph::Draw(wxDC& dc, const wxSize& client) const {
    const int h = kPictureHeight;
    const int duration = durationSeconds.load(std::memory_order_relaxed);
    const int silence = silenceStart.load(std::memory_order_relaxed);
    const int silenceSeconds = silenceLength.load(std::memory_order_relaxed);
    const int selection = selectionStart.load(std::memory_order_relaxed);
    const int extent = selectionExtent.load(std::memory_order_relaxed);
    const int fadeIn = fadeInStart.load(std::memory_order_relaxed);
    const int fadeInSeconds = fadeInLength.load(std::memory_order_relaxed);
    const int fadeOut = fadeOutStart.load(std::memory_order_relaxed);
    const int fadeOutSeconds = fadeOutLength.load(std::memory_order_relaxed);
    const int marker = markerSecond.load(std::memory_order_relaxed);
    const double play = playPosition.load(std::memory_order_relaxed);
    // Window x of timeline position c seconds: second s spans X(s - 1) to X(s).
    const auto X = [this](int c) { return c * zoom + margin - scrollOffset; };
    const int scaledWidth = PictureWidth() * zoom;

    // The fade wedges are diagonal: without this they would be smeared over two pixels.
    if (wxGraphicsContext* gc = dc.GetGraphicsContext()) {
        gc->SetAntialiasMode(wxANTIALIAS_NONE);
    }
    dc.SetBackground(*wxLIGHT_GREY_BRUSH);
    dc.Clear();

    // The audio before the silence, then the audio after it, shifted right by the silence.
    CopyScaled(dc, 0, (silence - 1) * zoom, margin - scrollOffset, client.x);
    if (silenceSeconds > 0) {
        dc.SetPen(*wxLIGHT_GREY_PEN);
        dc.SetBrush(*wxLIGHT_GREY_BRUSH);
        dc.DrawRectangle(X(silence - 1), 0, silenceSeconds * zoom, h);
    }
    CopyScaled(dc, (silence - 1) * zoom, (duration - silence + 1) * zoom,
               X(silence - 1 + silenceSeconds), client.x);

    if (extent + 1 > 0) {
        dc.SetPen(*wxRED_PEN);
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(X(selection - 1), 1, (extent + 1) * zoom, h - 1);
    }

    dc.SetPen(*wxBLACK_PEN);
    if (silenceSeconds != 0) {
        const int x = X(silence + silenceSeconds - 1);
        dc.DrawLine(x, 2, x, h - 2);
    }
    const int fadeInEnd = X(fadeIn + fadeInSeconds - 1);
    if (fadeInSeconds != 0) {
        dc.DrawLine(X(fadeIn - 1), h / 2, fadeInEnd, 2);
        dc.DrawLine(X(fadeIn - 1), h / 2, fadeInEnd, 80);
    }
    if (fadeOutSeconds != 0) {
        dc.DrawLine(X(fadeOut), 2, X(fadeOut + fadeOutSeconds), h / 2);
        dc.DrawLine(X(fadeOut), 80, X(fadeOut + fadeOutSeconds), h / 2);
    }
    dc.DrawLine(fadeInEnd, 2, X(fadeOut), 2);
    dc.DrawLine(fadeInEnd, 80, X(fadeOut), 80);

    dc.SetPen(wxPen(kCursorColour, 1, wxPENSTYLE_SOLID));
    const int markerX = static_cast<int>(X(marker - 1) + zoom * 0.5);
    dc.DrawLine(markerX, 3, markerX, h - 2);
    const int playX = static_cast<int>((play - 1) * zoom + margin - scrollOffset + zoom * 0.5);
    dc.DrawLine(playX, 3, playX, h - 2);

    dc.SetPen(*wxWHITE_PEN);
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(0, 0, margin, h);
    const int audioEnd = margin - scrollOffset + scaledWidth + silenceSeconds * zoom;
    dc.DrawRectangle(audioEnd, 0, margin, h);
    const int rest = std::max(0, audioEnd + margin);
    if (rest < client.x) {
        dc.DrawRectangle(rest, 0, client.x - rest, client.y);
    }
}

void twWaveGraph::OnPaint(wxPaintEvent& event) {
    wxBufferedPaintDC dc(this);
    PaintScaled(dc, this, [this, &dc](const wxSize& client) { Draw(dc, client); });
    event.Skip();
}
