// The ringtone editor's rules on bare rulers, with a view that counts what the rules asked of
// it, and helpers for the media the tests render. For tests without a display.
#pragma once

#include "editor/BareEditor.h"
#include "editor/EditorView.h"

#include <cstdint>
#include <string>
#include <vector>

namespace twtest {

class RecordingView final : public EditorView {
public:
    int refreshAll = 0;
    int refreshTimeAndGraph = 0;
    int layouts = 0;
    int32_t thumb = 0;
    int32_t width = 400;
    std::vector<int32_t> scrolls;

    void RefreshAll() override { ++refreshAll; }
    void RefreshTimeAndGraph() override { ++refreshTimeAndGraph; }
    void UpdateLayout() override { ++layouts; }
    int32_t ThumbPosition() override { return thumb; }
    int32_t VisibleWidth() override { return width; }
    void ScrollTo(int32_t position) override {
        scrolls.push_back(position);
        thumb = position;
    }
};

// The bare editor with a view that records what the rules asked of it.
class EditorRig : public BareEditor {
public:
    EditorRig() : BareEditor(&view) {}

    // Loads the media and places the rulers, as CalculateMediaData does after its dialog.
    bool Load(const std::string& path) { return BareEditor::Load(path) == WavError::None; }

    RecordingView view;
};

// Interleaved samples that differ from their neighbours, so that a shifted read shows.
std::vector<int16_t> Pattern(int channels, int sampleRate, int seconds);

// The 16-bit words of a rendered block.
std::vector<int16_t> Words(const std::vector<uint8_t>& block);

} // namespace twtest
