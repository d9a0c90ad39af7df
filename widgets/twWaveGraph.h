// The waveform strip of the ringtone editor: reads the working WAV file once per Load into a
// picture of one column per whole second, and paints it stretched by the zoom with the
// edits laid over it (inserted silence, ringtone range, fade envelope, marker, play cursor).
// It also holds the edit parameters, which the editor panel writes and the preview's renderer
// reads. Owned by its parent window (the editor panel); owns its picture. Never refreshes
// itself and handles no input: the owner writes the fields and calls Refresh.
//
// Threads: everything runs on the user-interface thread except the preview's renderer
// (RenderEdited, from EditedWave), which reads the media and edit fields from the audio
// layer's feeder thread without a lock; see EditedWave.
#pragma once

#include "wav/WavError.h"
#include "widgets/EditedWave.h"

#include <wx/bitmap.h>
#include <wx/window.h>

#include <cstdint>
#include <memory>

class wxDC;
class wxProgressDialog;

// The media fields, the edit fields, playPosition, loaded and RenderEdited come from
// EditedWave.
class twWaveGraph : public wxWindow, public EditedWave {
public:
    static constexpr int kPictureHeight = 82;

    twWaveGraph(wxWindow* parent, const wxString& name);
    ~twWaveGraph() override;

    // Rebuilds the picture and the media fields from a 16-bit PCM WAV file, pulsing progress
    // (if given) at most every 10 ms. Returns false, with loadError saying why, when nothing
    // exists at the path, when the file can't be opened (then only fileName has changed) or
    // when the file is refused; the picture and the media fields then stay as they were.
    // Changes the file the renderer reads: call it only while no ringtone stream exists.
    bool Load(const wxString& path, wxProgressDialog* progress);

    // Paints the graph on any device context whose drawable area is `client`, in layout
    // pixels; OnPaint hands it the buffered paint context scaled by the desktop's text scale,
    // with a focus mark over it while the graph has the keyboard, tests an offscreen bitmap.
    void Draw(wxDC& dc, const wxSize& client) const;

    // One column per source second, kPictureHeight high; invalid for a file under a second.
    std::unique_ptr<wxBitmap> waveBitmap;
    wxString fileName;
    // View fields, written by the owner.
    int32_t margin = 3;
    int32_t zoom = 1;
    int32_t scrollOffset = 0;
    // Why the last Load failed; None after a success. With CantOpen or ReadFailed, the
    // system's error number behind it, or 0.
    WavError loadError = WavError::None;
    int loadSystemError = 0;

private:
    int PictureWidth() const;
    // Copies scaled picture columns [sourceX, sourceX + width) to window x destX, clipped at
    // both window edges and to the picture.
    void CopyScaled(wxDC& dc, int sourceX, int width, int destX, int clientWidth) const;
    void OnPaint(wxPaintEvent& event);

    wxDECLARE_EVENT_TABLE();
};
