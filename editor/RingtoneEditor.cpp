#include "editor/RingtoneEditor.h"

#include "editor/EditorView.h"

#include <algorithm>

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

// Single-marker rulers keep their end marker this far beyond the range's maximum.
constexpr int32_t kParked = 100;

RingtoneEditor& Editor(void* editor) {
    return *static_cast<RingtoneEditor*>(editor);
}

} // namespace

void RingtoneEditor::InstallHandlers() {
    const auto install = [this](RulerValues* ruler, RulerChangeFn handler) {
        ruler->onChange = handler;
        ruler->changeUserData = this;
    };
    install(cutMarkers, OnCutChanged);
    install(timeMarkers, OnTimeChanged);
    install(fadeInMarkers, OnFadeInChanged);
    install(fadeOutMarkers, OnFadeOutChanged);
    install(silenceMarkers, OnSilenceChanged);
}

void RingtoneEditor::PlaceRulers() {
    const int32_t d = media->durationSeconds;
    const int32_t l = std::min(defaultLength, d);
    cutMarkers->SetRange(1, d);
    cutMarkers->SetValues(1, l);
    timeMarkers->SetRange(1, d);
    timeMarkers->SetValues(1, d + kParked);
    fadeInMarkers->SetRange(1, d);
    fadeInMarkers->SetValues(3, d + kParked);
    fadeOutMarkers->SetRange(1, d);
    fadeOutMarkers->SetValues(l - 3, d + kParked);
    silenceMarkers->SetRange(1, d);
    silenceMarkers->SetValues(1, d + kParked);
    streamPos = 0;
    if (view != nullptr) {
        view->UpdateLayout();
    }
    RefreshView();
}

int32_t RingtoneEditor::Extent() const {
    return media->durationSeconds + media->silenceLength;
}

int32_t RingtoneEditor::StreamPosition(int32_t second) const {
    return static_cast<int32_t>(second * static_cast<double>(media->byteRate));
}

void RingtoneEditor::SetStart(RulerValues* ruler, int32_t v) {
    ruler->SetValues(v, ruler->endValue);
}

void RingtoneEditor::RefreshView() {
    if (view != nullptr) {
        view->RefreshAll();
    }
}

void RingtoneEditor::KeepInView(int32_t v) {
    if (view == nullptr) {
        return;
    }
    const int32_t x = zoom * v;
    const int32_t p = view->ThumbPosition();
    const int32_t w = view->VisibleWidth();
    if (x >= p + w) {
        view->ScrollTo(x - w + 4 * zoom);
    }
    if (x <= p) {
        view->ScrollTo(x - 4 * zoom);
    }
}

void RingtoneEditor::OnCutChanged(int32_t marker, int32_t v, int32_t o, void* editor) {
    RingtoneEditor& e = Editor(editor);
    RulerValues& cut = *e.cutMarkers;
    if (marker == 1) {
        // Silence and fade-in travel with the cut start and keep their lengths.
        SetStart(e.silenceMarkers, e.silenceMarkers->startValue + (v - o));
    }
    if (marker == 2) {
        if (v < e.silenceMarkers->startValue) {
            SetStart(e.silenceMarkers, cut.endValue);
        }
        // The fade-out keeps its length.
        SetStart(e.fadeOutMarkers, e.fadeOutMarkers->startValue + (v - o));
    }
    e.media->selectionStart = cut.startValue.load();
    e.media->selectionExtent = cut.endValue - cut.startValue;
    e.KeepInView(v);
    e.RefreshView();
}

void RingtoneEditor::OnSilenceChanged(int32_t marker, int32_t v, int32_t o, void* editor) {
    RingtoneEditor& e = Editor(editor);
    RulerValues& cut = *e.cutMarkers;
    RulerValues& silence = *e.silenceMarkers;
    if (marker == 1) {
        if (v < cut.startValue) {
            SetStart(&silence, cut.startValue);
        }
        if (v > cut.endValue) {
            SetStart(&silence, cut.endValue);
        }
        // The fade-in keeps its length.
        SetStart(e.fadeInMarkers, e.fadeInMarkers->startValue + (v - o));
    }
    e.media->silenceStart = cut.startValue.load();
    e.media->silenceLength = silence.startValue - cut.startValue;
    // Every time ruler spans the timeline, which the silence lengthens.
    const int32_t n = e.Extent();
    cut.SetRange(1, n);
    for (RulerValues* ruler : {e.timeMarkers, e.fadeInMarkers, e.fadeOutMarkers, &silence}) {
        ruler->SetRange(1, n);
        ruler->SetValues(ruler->startValue, n + kParked);
    }
    if (e.view != nullptr) {
        e.view->UpdateLayout();
    }
    if (silence.startValue > e.fadeInMarkers->startValue) {
        SetStart(e.fadeInMarkers, silence.startValue);
    }
    e.RefreshView();
}

void RingtoneEditor::OnFadeInChanged(int32_t marker, int32_t v, int32_t, void* editor) {
    RingtoneEditor& e = Editor(editor);
    RulerValues& fadeIn = *e.fadeInMarkers;
    if (marker == 1) {
        if (v < e.silenceMarkers->startValue) {
            SetStart(&fadeIn, e.silenceMarkers->startValue);
        }
        if (v > e.cutMarkers->endValue) {
            SetStart(&fadeIn, e.cutMarkers->endValue);
        }
        if (v > e.fadeOutMarkers->startValue) {
            SetStart(e.fadeOutMarkers, v);
        }
    }
    e.media->fadeInStart = e.silenceMarkers->startValue.load();
    e.media->fadeInLength = fadeIn.startValue - e.silenceMarkers->startValue;
    e.RefreshView();
}

void RingtoneEditor::OnFadeOutChanged(int32_t marker, int32_t v, int32_t, void* editor) {
    RingtoneEditor& e = Editor(editor);
    RulerValues& fadeOut = *e.fadeOutMarkers;
    if (marker == 1) {
        if (v > e.cutMarkers->endValue) {
            SetStart(&fadeOut, e.cutMarkers->endValue);
        }
        if (v < e.silenceMarkers->startValue) {
            SetStart(&fadeOut, e.silenceMarkers->startValue);
        }
        if (v < e.fadeInMarkers->startValue) {
            SetStart(e.fadeInMarkers, v);
        }
    }
    e.media->fadeOutStart = fadeOut.startValue.load();
    e.media->fadeOutLength = e.cutMarkers->endValue - fadeOut.startValue;
    e.RefreshView();
}

void RingtoneEditor::OnTimeChanged(int32_t marker, int32_t v, int32_t, void* editor) {
    RingtoneEditor& e = Editor(editor);
    if (marker == 1) {
        e.media->markerSecond = v;
    }
    if (e.view != nullptr) {
        e.view->RefreshTimeAndGraph();
    }
}

void RingtoneEditor::OnCutReleased(int32_t marker, int32_t v, void* editor) {
    RingtoneEditor& e = Editor(editor);
    if (marker != 1) {
        return;
    }
    // A play position before the new start moves up to it; one after it stays.
    const int32_t q = e.StreamPosition(v);
    if (e.streamPos.load(kRelaxed) < q) {
        e.streamPos.store(q, kRelaxed);
        e.media->playPosition.store(v, kRelaxed);
    }
}

void RingtoneEditor::OnTimeReleased(int32_t marker, int32_t v, void* editor) {
    RingtoneEditor& e = Editor(editor);
    if (marker == 1) {
        e.streamPos.store(e.StreamPosition(v), kRelaxed);
        e.media->playPosition.store(v, kRelaxed);
    }
}

uint32_t RingtoneEditor::RenderNextBlock(void* buffer, uint32_t length) {
    const int32_t n = static_cast<int32_t>(length);
    const int32_t result = media->RenderEdited(buffer, n, streamPos.load(kRelaxed));
    // Added rather than stored: a position the user-interface thread set meanwhile (the time
    // marker's release) is kept, moved on by this block.
    const int64_t next = int64_t{streamPos.fetch_add(n, kRelaxed)} + n;
    const double rate = media->byteRate.load(kRelaxed);
    if (rate <= 0) {
        return static_cast<uint32_t>(result);
    }
    int64_t pos = next;
    if (cutMarkers->endValue.load(kRelaxed) < static_cast<double>(next) / rate) {
        const int32_t start = static_cast<int32_t>(cutMarkers->startValue.load(kRelaxed) * rate);
        streamPos.store(start, kRelaxed);
        pos = start;
    }
    media->playPosition.store(static_cast<double>(pos) / rate, kRelaxed);
    return static_cast<uint32_t>(result);
}

bool RingtoneEditor::MoveCut(int32_t start, int32_t end) {
    RulerValues& cut = *cutMarkers;
    if (start > cut.startValue) {
        cut.DragTo(2, end);
        cut.DragTo(1, start);
    } else {
        cut.DragTo(1, start);
        cut.DragTo(2, end);
    }
    OnCutReleased(1, cut.startValue, this);
    return cut.startValue == start && cut.endValue == end;
}
