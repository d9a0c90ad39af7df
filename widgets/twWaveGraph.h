// The waveform strip of the ringtone editor: reads the working WAV file once per Load into a
// picture of one column per whole second, and paints it stretched by the zoom with the
// edits laid over it (inserted silence, ringtone range, fade envelope, marker, play cursor).
// It also holds the edit parameters, which the editor panel writes and the preview's renderer
// reads. Owned by its parent window (the editor panel); owns its picture. Never refreshes
// itself and handles no input: the owner writes the fields and calls Refresh.
//
// Threads: everything runs on the user-interface thread except the preview's renderer, which
// reads the fields marked "audio thread" from the audio library's thread without a lock; those
// are atomics written whole, so a block may mix old and new values but never tears one.
#pragma once

#include "widgets/WavError.h"

#include <wx/bitmap.h>
#include <wx/window.h>

#include <atomic>
#include <cstdint>
#include <memory>

class wxDC;
class wxProgressDialog;

class twWaveGraph : public wxWindow {
public:
    static constexpr int kPictureHeight = 82;

    twWaveGraph(wxWindow* parent, const wxString& name);
    ~twWaveGraph() override;

    // Rebuilds the picture and the media fields from a 16-bit PCM WAV file, pulsing progress
    // (if given) at most every 10 ms. Returns false when nothing exists at the path, when the
    // file can't be opened (then only fileName has changed) or when the file is refused
    // (loadError says why); the picture and the media fields then stay as they were.
    bool Load(const wxString& path, wxProgressDialog* progress);

    // Paints the graph on any device context whose drawable area is `client`; OnPaint hands
    // it the buffered paint context, tests an offscreen bitmap.
    void Draw(wxDC& dc, const wxSize& client) const;

    // One column per source second, kPictureHeight high; invalid for a file under a second.
    std::unique_ptr<wxBitmap> waveBitmap;
    wxString fileName;
    // Media fields, set by Load. Audio thread.
    std::atomic<int32_t> durationSeconds{-1};
    std::atomic<int32_t> channels{-1};
    std::atomic<int32_t> sampleRate{-1};
    std::atomic<int32_t> byteRate{0};
    int32_t bitsPerSample = 0;
    // File offset of the first sample: 44 for a canonical header, later when the converter
    // put other chunks before "data". Audio thread.
    std::atomic<int32_t> dataOffset{0};
    // View fields, written by the owner.
    int32_t margin = 3;
    int32_t zoom = 1;
    int32_t scrollOffset = 0;
    // Edit fields in ruler seconds, written by the owner. Audio thread.
    std::atomic<int32_t> silenceStart{0};
    std::atomic<int32_t> silenceLength{0};
    std::atomic<int32_t> selectionStart{0};
    std::atomic<int32_t> selectionExtent{0};
    std::atomic<int32_t> fadeInStart{0};
    std::atomic<int32_t> fadeInLength{0};
    std::atomic<int32_t> fadeOutStart{0};
    std::atomic<int32_t> fadeOutLength{0};
    std::atomic<int32_t> markerSecond{0};
    // Play cursor in fractional ruler seconds; written by the preview. Audio thread.
    std::atomic<double> playPosition{0.0};
    bool loaded = false;
    // Why the last Load refused its file; None after a success.
    WavError loadError = WavError::None;

private:
    int PictureWidth() const;
    // Copies scaled picture columns [sourceX, sourceX + width) to window x destX, clipped at
    // both window edges and to the picture.
    void CopyScaled(wxDC& dc, int sourceX, int width, int destX, int clientWidth) const;
    void OnPaint(wxPaintEvent& event);

    wxDECLARE_EVENT_TABLE();
};
