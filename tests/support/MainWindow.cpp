#include "MainWindow.h"

#include "EventPump.h"
#include "audio/AudioEngine.h"
#include "editor/twMediaEditControl.h"
#include "widgets/twRuler.h"
#include "widgets/twWaveGraph.h"

#include <wx/filepicker.h>

namespace twtest {

MainWindow::MainWindow() : ui(new twUserInterface) {
    // The audio layer starts in the background; tests read what it was asked from the start.
    ui->audioEngine->AwaitOutput();
    ui->Show();
    PumpEvents(50);
}

MainWindow::~MainWindow() {
    if (ui) {
        ui->Destroy();
    }
    PumpEvents(20);
}

void MainWindow::Pick(const std::string& path) {
    ui->mediaFilePicker->SetPath(wxString::FromUTF8(path));
    wxFileDirPickerEvent event;
    ui->OnMediaFileChanged(event);
}

void MainWindow::PlayMedia() {
    wxCommandEvent event;
    ui->OnPlayMedia(event);
}

void MainWindow::Import() {
    wxCommandEvent event;
    ui->OnImportMedia(event);
}

std::vector<int32_t> MainWindow::EditorState() const {
    const twMediaEditControl* panel = ui->mediaEditControl;
    return {panel->waveGraph->durationSeconds, panel->cutRuler->startValue,
            panel->cutRuler->endValue,         panel->fadeInRuler->startValue,
            panel->fadeOutRuler->startValue,   panel->silenceRuler->startValue,
            panel->timeRuler->startValue,      panel->zoom};
}

} // namespace twtest
