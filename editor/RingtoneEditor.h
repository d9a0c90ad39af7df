// The ringtone editor's rules without its window: where the five time rulers stand after a
// load, the handlers that keep their markers in order (cut start <= silence <= fade-in <=
// fade-out <= cut end) and copy them into the graph's edit fields, the play position, and the
// preview's step from one rendered block to the next. twMediaEditControl derives from it and
// hands it its rulers, graph and itself as the view; the command-line tool wires it to bare
// RulerValues and an EditedWave.
//
// The handlers are plain functions as the rulers call them; their user data is this object.
// Moving a marker from a handler goes through the ruler's SetValues, which runs that ruler's
// handler at once, so the handlers run nested; a set that changes nothing calls no handler,
// which ends the nesting. Every test in a handler compares the value it was called with.
//
// Threads: everything runs on the user-interface thread except RenderNextBlock, which the
// ringtone stream procedure runs on the audio layer's feeder thread. It shares streamPos, the
// cut ruler's markers and the graph's fields, all atomics, with the handlers.
#pragma once

#include "widgets/EditedWave.h"
#include "widgets/RulerValues.h"

#include <atomic>
#include <cstdint>

class EditorView;

class RingtoneEditor {
public:
    // Not owned; set by the owner before the first handler runs.
    RulerValues* cutMarkers = nullptr;
    RulerValues* timeMarkers = nullptr;
    RulerValues* fadeInMarkers = nullptr;
    RulerValues* fadeOutMarkers = nullptr;
    RulerValues* silenceMarkers = nullptr;
    EditedWave* media = nullptr;
    // Null when nothing shows the editor.
    EditorView* view = nullptr;

    // Pixels per second of the time axis: 1 after construction, 4 after every import.
    int32_t zoom = 1;
    // Ringtone stream position in bytes: second s starts at s x byteRate. Audio thread.
    std::atomic<int32_t> streamPos{0};
    // First ringtone length in seconds.
    int32_t defaultLength = 45;

    // Gives the five time rulers their onChange handlers, with this object as user data.
    void InstallHandlers();
    // The rulers' first places after a successful load of media, in an order that shapes the
    // result (the first load after start-up makes a 4-second fade-in), then streamPos 0, the
    // layout and a repaint.
    void PlaceRulers();
    // Seconds of the timeline: the media's whole seconds plus the inserted silence.
    int32_t Extent() const;
    // Stream position at the start of ruler second s: s x byteRate, truncated.
    int32_t StreamPosition(int32_t second) const;

    static void OnCutChanged(int32_t marker, int32_t v, int32_t o, void* editor);
    static void OnSilenceChanged(int32_t marker, int32_t v, int32_t o, void* editor);
    static void OnFadeInChanged(int32_t marker, int32_t v, int32_t o, void* editor);
    static void OnFadeOutChanged(int32_t marker, int32_t v, int32_t o, void* editor);
    static void OnTimeChanged(int32_t marker, int32_t v, int32_t o, void* editor);
    // Release handlers of the cut ruler and the time ruler: they move the play position.
    static void OnCutReleased(int32_t marker, int32_t v, void* editor);
    static void OnTimeReleased(int32_t marker, int32_t v, void* editor);
    // Moves the cut to start..end as a user would: drags the marker on the side it moves
    // towards first, then the other, then lets go of the start marker, so every rule of a drag
    // holds (silence and fades travel along). False when a marker did not land where asked.
    bool MoveCut(int32_t start, int32_t end);

    // The ringtone stream procedure's work without the repaint: renders the block at streamPos
    // and advances streamPos, back to the cut start once the cut end has been passed, and moves
    // the play cursor to it. Returns what RenderEdited returned (0 when the file can't be
    // opened; streamPos advances anyway). Feeder thread.
    uint32_t RenderNextBlock(void* buffer, uint32_t length);

private:
    // Moves a ruler's start marker, keeping its end marker where it is.
    static void SetStart(RulerValues* ruler, int32_t v);
    void KeepInView(int32_t v);
    void RefreshView();
};
