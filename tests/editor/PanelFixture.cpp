#include "PanelFixture.h"

#include "EventPump.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>

namespace twtest {

PanelFixture::PanelFixture() {
    frame = new wxFrame(nullptr, wxID_ANY, "editor", wxPoint(0, 0), wxSize(520, 320));
    panel = new twMediaEditControl(frame, wxSize(500, 210));
    panel->audioEngine->AwaitOutput();
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(panel, 0, wxALL, 5);
    frame->SetSizer(sizer);
    frame->Layout();
    frame->Show();
    PumpEvents(50);
}

PanelFixture::~PanelFixture() {
    if (frame != nullptr) {
        DestroyPanel();
    }
    AudioEngine::Release();
}

void PanelFixture::DestroyPanel() {
    if (AudioEngine* engine = panel->audioEngine) {
        engine->Stop();
        engine->FreeStream();
    }
    frame->Destroy();
    frame = nullptr;
    panel = nullptr;
    PumpEvents(10);
}

std::string PanelFixture::Media(int seconds, const WavFormat& format, const std::string& name) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(WriteWav(path, format, Sine(format, seconds, 440, 20000)));
    return path;
}

void PanelFixture::Import(int seconds, const WavFormat& format) {
    ASSERT_TRUE(panel->CalculateMediaData(Media(seconds, format), frame));
    panel->ResetZoom();
}

void PanelFixture::Tick(wxCheckBox* box, bool ticked) {
    box->SetValue(ticked);
    wxCommandEvent event(wxEVT_COMMAND_CHECKBOX_CLICKED, box->GetId());
    event.SetEventObject(box);
    event.SetInt(ticked ? 1 : 0);
    box->GetEventHandler()->ProcessEvent(event);
}

} // namespace twtest
