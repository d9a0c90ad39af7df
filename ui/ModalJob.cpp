#include "ui/ModalJob.h"

#include "ui/MainWindowKeepsClosing.h"

#include <wx/progdlg.h>

ModalJob::ModalJob(wxWindow* window) : mainWindow(window) {}

ModalJob::~ModalJob() {
    End();
}

wxProgressDialog& ModalJob::ShowProgress(const wxString& title, const wxString& message,
                                         int style) {
    auto made = std::make_unique<wxProgressDialog>(title, message, 100, mainWindow, style);
    wxProgressDialog& shown = *made;
    Show(std::move(made));
    progress = &shown;
    return shown;
}

void ModalJob::Show(std::unique_ptr<wxDialog> shown) {
    End();
    cancelled = false;
    dialog = std::move(shown);
    dialog->Show();
    keepsClosing = std::make_unique<MainWindowKeepsClosing>(mainWindow, dialog.get());
}

bool ModalJob::StopRequested() const {
    return cancelled || closeRequested || (progress != nullptr && progress->WasCancelled());
}

bool ModalJob::RequestClose() {
    if (!dialog) {
        return false;
    }
    closeRequested = true;
    return true;
}

void ModalJob::End() {
    keepsClosing.reset();
    progress = nullptr;
    if (dialog) {
        // A progress dialog without Cancel refuses to close: hiding is how it goes.
        dialog->Hide();
        dialog.reset();
    }
}
