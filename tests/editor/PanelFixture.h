// The editor panel in a frame of its own under Xvfb, over the recording audio layer, with the
// working files a test writes.
#pragma once

#include "RecordingLayer.h"
#include "TempDir.h"
#include "TestWav.h"
#include "audio/AudioEngine.h"
#include "editor/twMediaEditControl.h"

#include <gtest/gtest.h>
#include <wx/frame.h>

#include <memory>
#include <string>
#include <vector>

namespace twtest {

class PanelFixture : public ::testing::Test {
protected:
    PanelFixture();
    // Frees a ringtone stream before the panel goes, as the controller does at shut-down.
    ~PanelFixture() override;

    // A working file of the given seconds (8000 Hz mono unless said otherwise).
    std::string Media(int seconds, const WavFormat& format = {8000, 1},
                      const std::string& name = "current.wav");
    // Loads it and resets the zoom, as the import does.
    void Import(int seconds, const WavFormat& format = {8000, 1});
    // Frees the ringtone stream and destroys the frame with the panel, then lets the toolkit
    // run what is pending.
    void DestroyPanel();
    void Tick(wxCheckBox* box, bool ticked);
    Calls Since() { return layer.Since(); }

    TempDir dir;
    RecordingLayer layer;
    std::shared_ptr<RecordingAudioOutput::CallLog> calls = layer.calls;
    wxFrame* frame;
    twMediaEditControl* panel;
};

} // namespace twtest
