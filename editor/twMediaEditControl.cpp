#include "editor/twMediaEditControl.h"

#include "audio/AudioEngine.h"
#include "editor/CatchiestPart.h"
#include "editor/EditorMenu.h"
#include "editor/EditorToolTips.h"
#include "widgets/Accessible.h"
#include "widgets/ButtonClick.h"
#include "widgets/ButtonPicture.h"
#include "widgets/DesktopLook.h"
#include "widgets/LayoutGrid.h"
#include "widgets/ScrollThumb.h"
#include "widgets/twRuler.h"
#include "widgets/twWaveGraph.h"

#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/menu.h>
#include <wx/progdlg.h>
#include <wx/scrolbar.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>

#include <algorithm>
#include <array>

namespace {

constexpr int kRulerHeight = 18;
// The time widgets show this many pixels of the time axis; longer sound is scrolled.
constexpr int kVisibleWidth = 400;
constexpr int kLabelStep = 30;

const std::array<wxEventType, 9> kScrollEvents = {
    wxEVT_SCROLL_TOP,        wxEVT_SCROLL_BOTTOM,       wxEVT_SCROLL_LINEUP,
    wxEVT_SCROLL_LINEDOWN,   wxEVT_SCROLL_PAGEUP,       wxEVT_SCROLL_PAGEDOWN,
    wxEVT_SCROLL_THUMBTRACK, wxEVT_SCROLL_THUMBRELEASE, wxEVT_SCROLL_CHANGED,
};

// A time ruler before any media: range 1 to 1, both markers at -1, 400 pixels wide.
twRuler* NewTimeRuler(wxWindow* parent, const char* marker) {
    auto* ruler = new twRuler(parent, "panel");
    if (marker != nullptr) {
        ruler->SetBitmaps("images/rulerBck.bmp", marker, marker, 7, 7);
    }
    ruler->SetRange(1, 1);
    ruler->SetValues(-1, -1);
    ruler->SetMinSize(wxSize(Px(kVisibleWidth), Px(kRulerHeight)));
    ruler->SetSize(wxSize(Px(kVisibleWidth), Px(kRulerHeight)));
    ruler->rulerWidth = kVisibleWidth;
    ruler->rulerHeight = kRulerHeight;
    return ruler;
}

wxCheckBox* NewCheck(wxWindow* parent, const wxString& label) {
    auto* check = new wxCheckBox(parent, wxID_ANY, label, wxDefaultPosition, wxDefaultSize, 0,
                                 wxDefaultValidator, "check");
    const DesktopLook& look = DesktopLook::Get();
    check->SetFont(LayoutFont(10, wxFONTFAMILY_DEFAULT, wxFONTWEIGHT_NORMAL));
    check->SetForegroundColour(look.Foreground());
    check->SetBackgroundColour(look.Background());
    return check;
}

} // namespace

twMediaEditControl::twMediaEditControl(wxWindow* parent, const wxSize& size)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, size, wxNO_BORDER, "panel") {
    const DesktopLook& look = DesktopLook::Get();
    SetForegroundColour(look.dark ? look.Foreground() : *wxWHITE);
    SetBackgroundColour(look.Background());
    SetMinSize(look.Scaled(wxSize(474, 265)));
    SetMaxSize(look.Scaled(wxSize(474, 265)));
    BuildLayout();
    ConnectHandlers();
    WatchDrags();
    SetFixedToolTips();
    NameControls();

    zoom = 1;
    cutMarkers = cutRuler;
    timeMarkers = timeRuler;
    fadeInMarkers = fadeInRuler;
    fadeOutMarkers = fadeOutRuler;
    silenceMarkers = silenceRuler;
    media = waveGraph;
    view = this;
    InstallHandlers();
    // The rulers hand their user data back as void*: it must be the RingtoneEditor part for
    // the editing rules and the panel itself for the volume.
    RingtoneEditor* editor = this;
    cutRuler->onRelease = OnCutReleased;
    cutRuler->releaseUserData = editor;
    timeRuler->onRelease = OnTimeReleased;
    timeRuler->releaseUserData = editor;
    volumeRuler->onChange = OnVolumeChanged;
    volumeRuler->changeUserData = this;

    // The first request for the engine in the program; its audio layer starts when sound is
    // first wanted.
    audioEngine = AudioEngine::Get();
    defaultLength = 45;
    UpdateToolTips();

    catchiestPart = std::make_unique<CatchiestPart>(*this);
    loudnessWorker = std::make_unique<LoudnessWorker>([this](const LoudnessWorker::Result& result) {
        CallAfter([this, result] { TakeLoudness(result); });
    });
    // Right clicks on the rulers and the graph come up to the panel as context-menu events.
    Bind(wxEVT_CONTEXT_MENU, &twMediaEditControl::OnContextMenu, this);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { SuggestCatchiestPart(); }, EditorMenu::kSuggest);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent& event) { SetPhoneLoudness(event.IsChecked()); },
        EditorMenu::kPhoneLoudness);
}

twMediaEditControl::~twMediaEditControl() {
    // Waits for a running analysis while the panel can still take its queued result.
    catchiestPart.reset();
    // Stops a measurement under way at its next second of rendering.
    loudnessWorker.reset();
    for (const wxEventType type : kScrollEvents) {
        scrollBar->Disconnect(wxID_ANY, wxID_ANY, type,
                              wxScrollEventHandler(twMediaEditControl::OnScroll), nullptr, this);
    }
}

void twMediaEditControl::BuildLayout() {
    auto* mainBox = new wxBoxSizer(wxVERTICAL);
    wxFlexGridSizer* editGrid = NewGrid(4, 2);
    auto* leftColumn = new wxBoxSizer(wxVERTICAL);

    cutTitleBitmap = NewPictureLabel(this, "images/cut_title.bmp");
    timeTitleBitmap = NewPictureLabel(this, "images/time_title.bmp");
    graphSpacerBitmap = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap, wxDefaultPosition,
                                           wxSize(-1, Px(82)), 0, "staticBitmap");
    fadeInTitleBitmap = NewPictureLabel(this, "images/fadein_title.bmp");
    fadeOutTitleBitmap = NewPictureLabel(this, "images/fadeout_title.bmp");
    silenceTitleBitmap = NewPictureLabel(this, "images/silence_title.bmp");
    for (wxStaticBitmap* title : {timeTitleBitmap, cutTitleBitmap, graphSpacerBitmap,
                                  fadeInTitleBitmap, fadeOutTitleBitmap, silenceTitleBitmap}) {
        leftColumn->Add(title, 0, wxALL, 0);
    }
    leftColumn->Add(0, Px(20), 1, wxALL, Px(5));
    editGrid->Add(leftColumn, 0, 0, 0);

    auto* rightColumn = new wxBoxSizer(wxVERTICAL);
    timeRuler = NewTimeRuler(this, "images/rulerSingle.bmp");
    rightColumn->Add(timeRuler, 0, wxBOTTOM, Px(1));
    cutRuler = NewTimeRuler(this, nullptr);
    rightColumn->Add(cutRuler, 0, wxBOTTOM, Px(1));
    waveGraph = new twWaveGraph(this, "panel");
    waveGraph->SetMinSize(wxSize(Px(kVisibleWidth), Px(twWaveGraph::kPictureHeight)));
    rightColumn->Add(waveGraph, 0, wxBOTTOM, Px(1));
    fadeInRuler = NewTimeRuler(this, "images/rulerSingleUP.bmp");
    rightColumn->Add(fadeInRuler, 0, wxBOTTOM, Px(1));
    fadeOutRuler = NewTimeRuler(this, "images/rulerSingleUP.bmp");
    rightColumn->Add(fadeOutRuler, 0, wxBOTTOM, Px(1));
    silenceRuler = NewTimeRuler(this, "images/rulerSingleUP.bmp");
    rightColumn->Add(silenceRuler, 0, wxBOTTOM, Px(1));

    scrollBar = new wxScrollBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_HORIZONTAL,
                                wxDefaultValidator, "scrollBar");
    scrollBar->SetForegroundColour(*wxWHITE);
    scrollBar->SetBackgroundColour(wxColour(0, 119, 255));
    KeepScrollThumbVisible(scrollBar);
    scrollBar->SetMinSize(wxSize(Px(kVisibleWidth), -1));
    rightColumn->Add(scrollBar, 0, wxALL, 0);
    editGrid->Add(rightColumn, 0, 0, Px(5));
    mainBox->Add(editGrid, 1, wxEXPAND);

    auto* buttonRow = new wxBoxSizer(wxHORIZONTAL);
    buttonRow->Add(Px(190), 0, 0, wxEXPAND);
    playButton = NewPictureButton(this, "images/playRingtone.bmp");
    stopButton = NewPictureButton(this, "images/stopRingtone.bmp");
    pauseButton = NewPictureButton(this, "images/pauseRingtone.bmp");
    for (wxBitmapButton* button : {playButton, stopButton, pauseButton}) {
        buttonRow->Add(button, 0, wxALL, 0);
    }
    mainBox->Add(buttonRow, 0, wxEXPAND, Px(5));

    effectsRow = NewGrid(1, 9);
    effectsTitleBitmap = NewPictureLabel(this, "images/effects_title.bmp");
    effectsRow->Add(effectsTitleBitmap, 0, wxALL, 0);
    echoCheck = NewCheck(this, _("Echo"));
    effectsRow->Add(echoCheck, 0, wxALL, 0);
    effectGaps[1] = effectsRow->Add(Px(10), 0, 1, wxEXPAND, Px(5));
    reverbCheck = NewCheck(this, _("Reverb"));
    effectsRow->Add(reverbCheck, 0, wxALL, 0);
    effectGaps[2] = effectsRow->Add(Px(10), 0, 1, wxEXPAND, Px(5));
    chorusCheck = NewCheck(this, _("Chorus"));
    effectsRow->Add(chorusCheck, 0, wxALL, 0);
    effectGaps[0] = effectsRow->Add(Px(38), 0, 1, wxEXPAND, Px(5));
    volumeTitleBitmap = NewPictureLabel(this, "images/volume_title.bmp");
    effectsRow->Add(volumeTitleBitmap, 0, wxALL, 0);
    volumeRuler = new twRuler(this, "panel");
    volumeRuler->SetBitmaps("images/rulerVolumeBck.bmp", "images/rulerVolume.bmp",
                            "images/rulerVolume.bmp", 3, 3);
    volumeRuler->SetRange(1, 100);
    volumeRuler->SetValues(100, 200);
    volumeRuler->SetMinSize(wxSize(Px(100), Px(kRulerHeight)));
    volumeRuler->SetSize(wxSize(Px(100), Px(kRulerHeight)));
    volumeRuler->rulerWidth = 100;
    volumeRuler->rulerHeight = kRulerHeight;
    effectsRow->Add(volumeRuler, 0, wxALL, 0);
    mainBox->Add(effectsRow, 0, wxTOP, Px(10));

    SetSizer(mainBox);
    Layout();
    // The labels take the desktop's font once the window is on the screen.
    Bind(wxEVT_IDLE, &twMediaEditControl::OnFirstIdle, this);
}

void twMediaEditControl::OnFirstIdle(wxIdleEvent& event) {
    event.Skip();
    if (!IsShownOnScreen()) {
        return;
    }
    Unbind(wxEVT_IDLE, &twMediaEditControl::OnFirstIdle, this);
    // Labels wider than the layout's (a desktop whose default face is wider) take their room
    // from the gaps, the widest first, so that the volume ruler stays inside the panel.
    int over = effectsRow->CalcMin().x - GetMinSize().x;
    for (wxSizerItem* gap : effectGaps) {
        const int take = std::clamp(over, 0, gap->GetMinSize().x);
        gap->AssignSpacer(wxSize(gap->GetMinSize().x - take, 0));
        over -= take;
    }
    Layout();
}

void twMediaEditControl::ConnectHandlers() {
    for (const wxEventType type : kScrollEvents) {
        scrollBar->Connect(wxID_ANY, wxID_ANY, type,
                           wxScrollEventHandler(twMediaEditControl::OnScroll), nullptr, this);
    }
    playButton->Connect(wxEVT_COMMAND_BUTTON_CLICKED,
                        wxCommandEventHandler(twMediaEditControl::OnPlayRingtone), nullptr, this);
    pauseButton->Connect(wxEVT_COMMAND_BUTTON_CLICKED,
                         wxCommandEventHandler(twMediaEditControl::OnPauseRingtone), nullptr, this);
    stopButton->Connect(wxEVT_COMMAND_BUTTON_CLICKED,
                        wxCommandEventHandler(twMediaEditControl::OnStopRingtone), nullptr, this);
    for (wxCheckBox* check : {echoCheck, reverbCheck, chorusCheck}) {
        check->Connect(wxEVT_COMMAND_CHECKBOX_CLICKED,
                       wxCommandEventHandler(twMediaEditControl::OnEffectToggled), nullptr, this);
    }
}

bool twMediaEditControl::CalculateMediaData(const wxString& path, wxWindow* parent) {
    // The renderer's file changes below: no ringtone stream may be reading it meanwhile.
    // The import has freed it already; this keeps the rule for any other caller.
    if (audioEngine != nullptr && audioEngine->streamOpen && !audioEngine->fromFile) {
        audioEngine->Stop();
        audioEngine->FreeStream();
    }
    bool loadedNow = false;
    {
        wxProgressDialog dialog(_("Calculating"), _("Calculating media data, please wait..."), 100,
                                parent, wxPD_APP_MODAL | wxPD_AUTO_HIDE);
        dialog.Pulse(wxEmptyString);
        loadedNow = waveGraph->Load(path, &dialog);
    }
    if (!loadedNow) {
        return false;
    }
    catchiestPart->Forget();
    PlaceRulers();
    return true;
}

void twMediaEditControl::ResetZoom() {
    zoom = 4;
    RepaintTimeWidgets();
    UpdateLayout();
}

void twMediaEditControl::UpdateLayout() {
    const int32_t m = cutRuler->margin;
    const int32_t w = zoom * Extent() + 2 * m;
    for (twRuler* ruler : {cutRuler, timeRuler, fadeInRuler, fadeOutRuler, silenceRuler}) {
        ruler->rulerWidth = w;
        ruler->rulerHeight = kRulerHeight;
    }
    timeRuler->showLabels = true;
    timeRuler->pixelsPerSecond = zoom;
    timeRuler->labelStep = kLabelStep;
    waveGraph->zoom = zoom;
    waveGraph->margin = m;
    // Short media gives no range to scroll; the toolkit takes no negative range.
    const int32_t range = std::max(w - kVisibleWidth, 0);
    if (scrollBar->GetRange() == range) {
        return;
    }
    scrollBar->SetScrollbar(scrollBar->GetThumbPosition(), scrollBar->GetThumbSize(), range,
                            scrollBar->GetPageSize(), true);
    scrollBar->SetThumbPosition(0);
    wxScrollEvent event;
    OnScroll(event);
}

void twMediaEditControl::OnScroll(wxScrollEvent& event) {
    const int p = scrollBar->GetThumbPosition();
    for (twRuler* ruler : {cutRuler, timeRuler, fadeInRuler, fadeOutRuler, silenceRuler}) {
        ruler->scrollOffset = p;
    }
    waveGraph->scrollOffset = p;
    RepaintTimeWidgets();
    event.Skip();
}

void twMediaEditControl::RefreshAll() {
    RepaintTimeWidgets();
    UpdateToolTips();
    RequestLoudness();
}

void twMediaEditControl::RepaintTimeWidgets() {
    cutRuler->Refresh(false);
    timeRuler->Refresh(false);
    waveGraph->Refresh(false);
    fadeInRuler->Refresh(false);
    fadeOutRuler->Refresh(false);
    silenceRuler->Refresh(false);
}

void twMediaEditControl::RefreshTimeAndGraph() {
    timeRuler->Refresh(false);
    waveGraph->Refresh(false);
    UpdateToolTips();
}

int32_t twMediaEditControl::ThumbPosition() {
    return scrollBar->GetThumbPosition();
}

int32_t twMediaEditControl::VisibleWidth() {
    // In layout pixels, as the time axis counts them.
    return static_cast<int32_t>(waveGraph->GetClientSize().x / DesktopLook::Get().textScale);
}

void twMediaEditControl::ScrollTo(int32_t position) {
    scrollBar->SetThumbPosition(position);
    wxScrollEvent event;
    OnScroll(event);
}

void twMediaEditControl::ApplyEffects() {
    if (audioEngine != nullptr) {
        EffectSet effects = Effects();
        // The gain was measured for the ringtone, not for the source file.
        effects.phoneLoudness = effects.phoneLoudness && !audioEngine->fromFile;
        audioEngine->SetEffects(effects);
    }
}

EffectSet twMediaEditControl::Effects() const {
    EffectSet effects;
    effects.chorus = chorusCheck->IsChecked();
    effects.echo = echoCheck->IsChecked();
    effects.reverb = reverbCheck->IsChecked();
    effects.volume = volumeRuler->startValue;
    effects.phoneLoudness = phoneLoudness;
    effects.loudnessGainDb = loudness.gainDb;
    return effects;
}

void twMediaEditControl::SetPhoneLoudness(bool on) {
    phoneLoudness = on;
    UpdateLoudness();
}

void twMediaEditControl::RequestLoudness() {
    if (!loudnessQueued) {
        loudnessQueued = true;
        CallAfter([this] { UpdateLoudness(); });
    }
}

void twMediaEditControl::UpdateLoudness() {
    loudnessQueued = false;
    const RingtoneSound sound{cutRuler->startValue, cutRuler->endValue, Effects()};
    if (waveGraph->loaded) {
        loudnessAwaited = loudnessWorker->Request(*waveGraph, sound);
        return;
    }
    TakeLoudness({loudnessAwaited, {}});
}

void twMediaEditControl::TakeLoudness(const LoudnessWorker::Result& result) {
    if (result.generation != loudnessAwaited) {
        return;
    }
    loudnessArrived = result.generation;
    loudness = result.loudness;
    volumeRuler->SetToolTip(EditorToolTips::Volume(volumeRuler->startValue) +
                            EditorToolTips::Loudness(loudness, Effects()));
    if (audioEngine != nullptr && audioEngine->streamOpen && !audioEngine->fromFile) {
        ApplyEffects();
    }
}

void twMediaEditControl::OnEffectToggled(wxCommandEvent&) {
    ApplyEffects();
    RequestLoudness();
}

void twMediaEditControl::OnVolumeChanged(int32_t, int32_t v, int32_t, void* panel) {
    auto* self = static_cast<twMediaEditControl*>(panel);
    if (self->audioEngine != nullptr) {
        self->audioEngine->SetVolume(v);
    }
    self->volumeRuler->Refresh(false);
    self->volumeRuler->SetToolTip(EditorToolTips::Volume(v) +
                                  EditorToolTips::Loudness(self->loudness, self->Effects()));
    SetAccessibleValue(self->volumeRuler, EditorToolTips::SpokenVolume(v));
    self->RequestLoudness();
}

void twMediaEditControl::OnPlayRingtone(wxCommandEvent& event) {
    AudioEngine* engine = audioEngine;
    // Before any media is loaded there is nothing to play.
    if (engine == nullptr || !waveGraph->loaded) {
        event.Skip();
        return;
    }
    if (!engine->streamOpen || engine->fromFile) {
        engine->Stop();
        engine->FreeStream();
        streamPos = StreamPosition(cutRuler->startValue);
        waveGraph->playPosition = streamPos / static_cast<double>(waveGraph->byteRate);
        if (!engine->streamOpen) {
            engine->streamProc = RingtoneStreamProc;
            engine->frequency = static_cast<uint32_t>(waveGraph->sampleRate.load());
            engine->channels = static_cast<uint32_t>(waveGraph->channels.load());
            engine->userValue = this;
            engine->OpenStream(false);
        }
        ApplyEffects();
    }
    if (!engine->playing) {
        engine->SetVolume(volumeRuler->startValue);
        engine->Play();
    }
    if (engine->paused) {
        engine->TogglePause();
    }
    event.Skip();
}

void twMediaEditControl::OnPauseRingtone(wxCommandEvent& event) {
    AudioEngine* engine = audioEngine;
    if (engine != nullptr && engine->streamOpen && !engine->fromFile && !engine->paused) {
        engine->TogglePause();
    }
    event.Skip();
}

void twMediaEditControl::OnStopRingtone(wxCommandEvent& event) {
    AudioEngine* engine = audioEngine;
    if (engine != nullptr && !engine->fromFile && engine->playing) {
        engine->Stop();
        streamPos = StreamPosition(cutRuler->startValue);
    }
    event.Skip();
}

uint32_t twMediaEditControl::RingtoneStreamProc(uint32_t, void* buffer, uint32_t length,
                                                void* panel) {
    auto* self = static_cast<twMediaEditControl*>(panel);
    const uint32_t result = self->RenderNextBlock(buffer, length);
    self->RequestCursorRepaint();
    return result;
}

void twMediaEditControl::RequestCursorRepaint() {
    if (!cursorRepaintQueued.exchange(true, std::memory_order_relaxed)) {
        CallAfter([this] {
            cursorRepaintQueued.store(false, std::memory_order_relaxed);
            waveGraph->Refresh(false);
        });
    }
}

void twMediaEditControl::PlayOrPauseRingtone() {
    const AudioEngine* engine = audioEngine;
    const bool previewing = engine != nullptr && engine->streamOpen && !engine->fromFile &&
                            engine->playing && !engine->paused;
    ClickButton(previewing ? pauseButton : playButton);
}

void twMediaEditControl::StopRingtone() {
    ClickButton(stopButton);
}

bool twMediaEditControl::NudgeMarker(int32_t steps) {
    return nudgeRuler != nullptr && nudgeRuler->Nudge(nudgeMarker, steps);
}

bool twMediaEditControl::MoveMarkerToEnd(bool upper) {
    return nudgeRuler != nullptr && nudgeRuler->MoveToEnd(nudgeMarker, upper);
}

bool twMediaEditControl::SuggestCatchiestPart() {
    return catchiestPart->Next();
}

void twMediaEditControl::ShowEditorMenu(const wxPoint& at) {
    const std::unique_ptr<wxMenu> menu = EditorMenu::Build(phoneLoudness);
    const wxRect graph = waveGraph->GetRect();
    PopupMenu(menu.get(), at == wxDefaultPosition ? graph.GetPosition() + graph.GetSize() / 2 : at);
}

void twMediaEditControl::OnContextMenu(wxContextMenuEvent& event) {
    const wxPoint at = event.GetPosition();
    ShowEditorMenu(at == wxDefaultPosition ? at : ScreenToClient(at));
}

void twMediaEditControl::WatchDrags() {
    for (twRuler* ruler :
         {cutRuler, timeRuler, fadeInRuler, fadeOutRuler, silenceRuler, volumeRuler}) {
        // Bound handlers run before the ruler's own, which ends the drag and forgets its marker;
        // a drag ends with the button's release or with the loss of the mouse.
        const auto remember = [this, ruler](wxEvent& event) {
            if (ruler->dragMarker != 0) {
                nudgeRuler = ruler;
                nudgeMarker = ruler->dragMarker;
            }
            event.Skip();
        };
        ruler->Bind(wxEVT_LEFT_UP, remember);
        ruler->Bind(wxEVT_MOUSE_CAPTURE_LOST, remember);
    }
}

void twMediaEditControl::NameControls() {
    SetAccessibleName(timeRuler, _("Time"), AccessibleRole::Slider);
    SetAccessibleName(cutRuler, _("Cut"), AccessibleRole::Slider);
    SetAccessibleName(waveGraph, _("Waveform"), AccessibleRole::Image);
    SetAccessibleName(graphSpacerBitmap, _("Waveform"), AccessibleRole::Label);
    SetAccessibleName(fadeInRuler, _("Fade in"), AccessibleRole::Slider);
    SetAccessibleName(fadeOutRuler, _("Fade out"), AccessibleRole::Slider);
    SetAccessibleName(silenceRuler, _("Silence"), AccessibleRole::Slider);
    SetAccessibleName(volumeRuler, _("Volume"), AccessibleRole::Slider);
    SetAccessibleName(scrollBar, _("Scroll the time axis"));
    SetAccessibleValue(volumeRuler, EditorToolTips::SpokenVolume(volumeRuler->startValue));
}

void twMediaEditControl::SetFixedToolTips() {
    echoCheck->SetToolTip(_("Give the ringtone an echo"));
    reverbCheck->SetToolTip(_("Give the ringtone reverb, as in a large room"));
    chorusCheck->SetToolTip(_("Give the ringtone a chorus, as if several played at once"));
    volumeRuler->SetToolTip(EditorToolTips::Volume(volumeRuler->startValue));
}

void twMediaEditControl::UpdateToolTips() {
    const EditorToolTips tips = EditorToolTips::For(*this);
    cutRuler->SetToolTip(tips.cut);
    timeRuler->SetToolTip(tips.time);
    waveGraph->SetToolTip(tips.waveform);
    fadeInRuler->SetToolTip(tips.fadeIn);
    fadeOutRuler->SetToolTip(tips.fadeOut);
    silenceRuler->SetToolTip(tips.silence);
    const EditorToolTips spoken = EditorToolTips::Spoken(*this);
    SetAccessibleValue(cutRuler, spoken.cut);
    SetAccessibleValue(timeRuler, spoken.time);
    SetAccessibleValue(waveGraph, spoken.waveform);
    SetAccessibleValue(fadeInRuler, spoken.fadeIn);
    SetAccessibleValue(fadeOutRuler, spoken.fadeOut);
    SetAccessibleValue(silenceRuler, spoken.silence);
}
