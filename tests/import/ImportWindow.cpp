#include "ImportWindow.h"

#include "EventPump.h"
#include "editor/twMediaEditControl.h"
#include "platform/linux/PtyConsole.h"
#include "widgets/twRuler.h"
#include "widgets/twWaveGraph.h"

#include <wx/filepicker.h>
#include <wx/msgdlg.h>

namespace twtest {

DialogAnswerer::DialogAnswerer(int answer) : reply(answer) {
    Register();
}

DialogAnswerer::~DialogAnswerer() {
    Unregister();
}

int DialogAnswerer::Enter(wxDialog* dialog) {
    auto* message = dynamic_cast<wxMessageDialog*>(dialog);
    shown.push_back({dialog->GetTitle(), message != nullptr ? message->GetMessage() : ""});
    return reply;
}

ImportWindow::ImportWindow(const std::filesystem::path& folder)
    : ui(new twUserInterface), runFolder(std::filesystem::current_path()) {
    SetProcessConsole(CreatePtyConsole());
    ui->Show();
    PumpEvents(50);
    // The button pictures are loaded from the working folder whenever they change.
    std::error_code exists;
    std::filesystem::create_directory_symlink(runFolder / "images", folder / "images", exists);
    std::filesystem::current_path(folder);
}

ImportWindow::~ImportWindow() {
    if (ui) {
        ui->Destroy();
    }
    PumpEvents(20);
    std::filesystem::current_path(runFolder);
    SetProcessConsole(nullptr);
}

void ImportWindow::Pick(const std::string& path) {
    ui->mediaFilePicker->SetPath(wxString::FromUTF8(path));
    wxFileDirPickerEvent event;
    ui->OnMediaFileChanged(event);
}

void ImportWindow::Import() {
    wxCommandEvent event;
    ui->OnImportMedia(event);
}

std::vector<int32_t> ImportWindow::EditorState() const {
    const twMediaEditControl* panel = ui->mediaEditControl;
    return {panel->waveGraph->durationSeconds,
            panel->cutRuler->startValue,
            panel->cutRuler->endValue,
            panel->fadeInRuler->startValue,
            panel->fadeOutRuler->startValue,
            panel->silenceRuler->startValue,
            panel->zoom};
}

} // namespace twtest
