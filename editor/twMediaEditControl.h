// The ringtone editor panel: five time rulers and the waveform graph on one scrolled time
// axis, title pictures to their left, the play, stop and pause buttons below, and the effect
// boxes with the volume ruler at the bottom. It loads the working file (CalculateMediaData),
// lays the time axis out, wires its rulers to the editing rules of RingtoneEditor, and plays
// the edited ringtone through the shared AudioEngine with RingtoneStreamProc.
// Owned by the main window (toolkit parent-child relation); owns nothing but its child
// windows. The AudioEngine is shared, not owned.
//
// Threads: all of it runs on the user-interface thread except RingtoneStreamProc, which the
// audio layer calls on its feeder thread; that one renders and advances streamPos through
// RingtoneEditor and reaches the window only through a queued call (CallAfter). The owner
// must stop and free a ringtone stream before it destroys the panel (the controller does so
// at shut-down); queued calls of a destroyed panel are discarded with it by the toolkit. The
// loudness is measured on a worker thread of its own (LoudnessWorker), whose results come
// back the same way.
#pragma once

#include "dsp/EffectSet.h"
#include "editor/EditorView.h"
#include "editor/LoudnessWorker.h"
#include "editor/RingtoneEditor.h"
#include "editor/RingtoneLoudness.h"

#include <wx/panel.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

class AudioEngine;
class CatchiestPart;
class twRuler;
class twWaveGraph;
class wxBitmapButton;
class wxCheckBox;
class wxScrollBar;
class wxScrollEvent;
class wxSizer;
class wxSizerItem;
class wxStaticBitmap;

// zoom, streamPos and defaultLength, and the ruler handlers, come from RingtoneEditor.
class twMediaEditControl : public wxPanel, public RingtoneEditor, private EditorView {
public:
    // The main window makes it 500 by 210; the panel fixes its own size.
    twMediaEditControl(wxWindow* parent, const wxSize& size);
    ~twMediaEditControl() override;

    wxStaticBitmap* cutTitleBitmap;
    wxStaticBitmap* timeTitleBitmap;
    wxStaticBitmap* graphSpacerBitmap;
    wxStaticBitmap* fadeInTitleBitmap;
    wxStaticBitmap* fadeOutTitleBitmap;
    wxStaticBitmap* silenceTitleBitmap;
    twRuler* cutRuler;
    twRuler* timeRuler;
    twWaveGraph* waveGraph;
    twRuler* fadeInRuler;
    twRuler* fadeOutRuler;
    twRuler* silenceRuler;
    wxScrollBar* scrollBar;
    wxStaticBitmap* volumeTitleBitmap;
    twRuler* volumeRuler;
    wxStaticBitmap* effectsTitleBitmap;
    wxCheckBox* echoCheck;
    wxCheckBox* reverbCheck;
    wxCheckBox* chorusCheck;
    wxBitmapButton* playButton;
    wxBitmapButton* pauseButton;
    wxBitmapButton* stopButton;
    // The process's one engine; not owned.
    AudioEngine* audioEngine;

    // Loads the working file behind the "Calculating" dialog and, if that worked, places the
    // rulers. False when the file is missing or refused; then nothing changes.
    bool CalculateMediaData(const wxString& path, wxWindow* parent);
    // 4 pixels per second, then the layout.
    void ResetZoom();
    void UpdateLayout() override;
    void OnScroll(wxScrollEvent& event);

    // Switches the engine's effects to the ticked boxes and phone loudness to its setting.
    void ApplyEffects();
    // What the boxes, the volume ruler and phone loudness (with its measured gain) say now.
    EffectSet Effects() const;
    // "Phone loudness": the preview and the ringtone file get the gain that brings the
    // ringtone to EffectSet's default target, under a -1 dBTP limiter. Off at start.
    void SetPhoneLoudness(bool on);
    bool PhoneLoudness() const { return phoneLoudness; }
    // Asks for a measurement of the ringtone as it sounds now (the volume ruler's tooltip) and,
    // with phone loudness on, of the gain that fits it, which the preview gets when it arrives.
    // Runs once after a burst of changes of the edit, the effects or the volume; the measuring
    // runs on a worker thread, and a newer request supersedes an older one.
    void UpdateLoudness();
    // Whether a measurement is asked for and has yet to arrive.
    bool LoudnessPending() const { return loudnessQueued || loudnessAwaited != loudnessArrived; }
    // The last measurement that arrived.
    RingtoneLoudness loudness;
    void OnEffectToggled(wxCommandEvent& event);
    static void OnVolumeChanged(int32_t marker, int32_t v, int32_t o, void* panel);

    void OnPlayRingtone(wxCommandEvent& event);
    void OnPauseRingtone(wxCommandEvent& event);
    void OnStopRingtone(wxCommandEvent& event);
    // The ringtone stream's procedure; panel is this panel. Feeder thread.
    static uint32_t RingtoneStreamProc(uint32_t handle, void* buffer, uint32_t length, void* panel);

    // The keyboard's way into the preview, through the buttons' own handlers: pause while the
    // ringtone plays, play (or resume) otherwise; and stop.
    void PlayOrPauseRingtone();
    void StopRingtone();
    // Moves the marker the user last dragged, on a time ruler or the volume ruler, by the given
    // steps (seconds, or percent of volume), through the rules of a drag (Nudge). False, and
    // nothing moves, before any drag or when refused.
    bool NudgeMarker(int32_t steps);
    // Moves that marker to its ruler's lower or upper end as far as the rules let it (MoveToEnd).
    bool MoveMarkerToEnd(bool upper);
    // "Suggest the catchiest part": the cut moves onto the best range of its length, the next
    // alternative on each further call (S, the editor's menu). False when there is nothing to
    // do (see CatchiestPart::Next).
    bool SuggestCatchiestPart();
    // The editor's popup menu at a point of the panel (wxDefaultPosition: over the waveform).
    void ShowEditorMenu(const wxPoint& at);
    // Tooltips of the time rulers and the graph with their current values; run with every
    // refresh after a change of values, so they never lag behind the markers.
    void UpdateToolTips();

    // The marker the user last dragged on a time ruler or the volume ruler; null and 0 until then.
    twRuler* nudgeRuler = nullptr;
    int32_t nudgeMarker = 0;

private:
    void BuildLayout();
    void OnFirstIdle(wxIdleEvent& event);
    // The effects row and its gaps, the widest first, which give their room to wider labels.
    wxSizer* effectsRow = nullptr;
    std::array<wxSizerItem*, 3> effectGaps{};
    void ConnectHandlers();
    // Remembers, at each release on a time ruler or the volume ruler, which marker the press had
    // picked.
    void WatchDrags();
    void SetFixedToolTips();
    // Names for screen readers; the rulers' values follow with every tooltip (UpdateToolTips).
    void NameControls();
    // The six time widgets, in the order they are refreshed; RefreshAll also renews the
    // tooltips, RepaintTimeWidgets (scrolling, zooming) only repaints.
    void RefreshAll() override;
    void RepaintTimeWidgets();
    void RefreshTimeAndGraph() override;
    int32_t ThumbPosition() override;
    int32_t VisibleWidth() override;
    void ScrollTo(int32_t position) override;
    // Asks the user-interface thread to repaint the play cursor; at most one request waits.
    void RequestCursorRepaint();

    void OnContextMenu(wxContextMenuEvent& event);

    std::unique_ptr<CatchiestPart> catchiestPart;

    // Asks for UpdateLoudness after the events now waiting; at most one request waits.
    void RequestLoudness();
    // Takes a measurement the worker finished, unless a newer one was asked for meanwhile.
    void TakeLoudness(const LoudnessWorker::Result& result);

    // Made with the panel and destroyed first with it, so that it never delivers to a panel
    // that is going; what it queued before is discarded with the panel's other queued calls.
    std::unique_ptr<LoudnessWorker> loudnessWorker;
    // The numbers of the newest request and of the last measurement taken.
    uint32_t loudnessAwaited = 0;
    uint32_t loudnessArrived = 0;

    // Set by the feeder thread when it queues a repaint, cleared when the repaint runs.
    std::atomic<bool> cursorRepaintQueued{false};
    bool loudnessQueued = false;
    bool phoneLoudness = false;
};
