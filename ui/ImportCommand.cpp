#include "ui/ImportCommand.h"

#include "audio/AudioEngine.h"
#include "editor/twMediaEditControl.h"
#include "import/ImportJob.h"
#include "text/Utf8Text.h"
#include "ui/UpdateProgressDialog.h"
#include "widgets/MessageDialog.h"
#include "widgets/twWaveGraph.h"

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/progdlg.h>

const wxString ImportCommand::confirmCaption = wxTRANSLATE("Warning!");
const wxString ImportCommand::confirmText =
    wxTRANSLATE("If you will import new media, all progress will be lost. Would you like to import "
                "new media anyway?");
const wxString ImportCommand::failureCaption = wxTRANSLATE("Import failed");
const wxString ImportCommand::cancelCaption = wxTRANSLATE("Import cancelled");
const wxString ImportCommand::cancelText =
    wxTRANSLATE("The import was cancelled; nothing has changed.");
const wxString ImportCommand::unknownLengthText =
    wxTRANSLATE("Importing media. Please wait...\nThe file does not say how long it is, so the "
                "time left can't be known.");

ImportCommand::ImportCommand(wxWindow* window, AudioEngine* engine, twMediaEditControl* panel,
                             std::function<void()> toggle)
    : mainWindow(window), audioEngine(engine), editor(panel),
      toggleSourcePreview(std::move(toggle)), modal(window) {
    ask = [](const wxString& caption, const wxString& text) {
        return ShowMessage(nullptr, text, caption, wxYES_NO | wxCANCEL);
    };
    inform = [this](const wxString& caption, const wxString& text) {
        const long icon =
            caption == wxGetTranslation(cancelCaption) ? wxICON_INFORMATION : wxICON_ERROR;
        ShowMessage(mainWindow, text, caption, wxOK | icon);
    };
}

bool ImportCommand::Run(const wxString& sourcePath) {
    error = ImportError::None;
    if (!wxFileName::FileExists(sourcePath)) {
        return false;
    }
    if (editor->waveGraph->loaded &&
        ask(wxGetTranslation(confirmCaption), wxGetTranslation(confirmText)) != wxID_YES) {
        return false;
    }
    if (audioEngine != nullptr && audioEngine->playing && audioEngine->fromFile &&
        toggleSourcePreview) {
        toggleSourcePreview();
    }
    if (audioEngine != nullptr && !audioEngine->fromFile) {
        // The ringtone stream reads the working file, which is about to change.
        audioEngine->Stop();
        audioEngine->FreeStream();
    }

    ImportJob job;
    modal.closeRequested = false;
    // Cancel (or Escape, or closing the dialog) ends a converter that takes too long or hangs.
    wxProgressDialog& progress = modal.ShowProgress(
        _("Import"), _("Importing media. Please wait..."),
        wxPD_APP_MODAL | wxPD_AUTO_HIDE | wxPD_ELAPSED_TIME | wxPD_ESTIMATED_TIME | wxPD_SMOOTH |
            wxPD_REMAINING_TIME | wxPD_CAN_ABORT);
    job.cancelRequested = [&progress, &job, this] {
        // Updating lets the dialog handle its events, whether or not progress is known; a
        // length that is not known (ConverterRunner) keeps it pulsing, and it says why.
        if (job.runner.durationValue == 0) {
            progress.Pulse(wxGetTranslation(unknownLengthText));
        } else {
            progress.Update(progress.GetValue());
        }
        return modal.StopRequested();
    };
    const bool converted = job.Convert(sourcePath.ToStdWstring(), UpdateProgressDialog, &progress);
    modal.End();
    if (!converted || !job.Replace()) {
        error = job.error;
        // A window that is closing has no one left to read the message.
        if (!modal.closeRequested) {
            ExplainFailure(job.Explanation());
        }
        return false;
    }
    if (!editor->CalculateMediaData(WideFromUtf8(job.workingPath), mainWindow)) {
        // The editor still shows the previous media: give it its file back.
        job.Undo(editor->waveGraph->loadError, editor->waveGraph->loadSystemError);
        error = job.error;
        ExplainFailure(job.Explanation());
        return false;
    }
    editor->ResetZoom();
    return true;
}

void ImportCommand::ExplainFailure(const std::string& explanation) {
    if (error == ImportError::Cancelled) {
        inform(wxGetTranslation(cancelCaption), wxGetTranslation(cancelText));
        return;
    }
    inform(wxGetTranslation(failureCaption),
           _("The media could not be imported; nothing has changed.") + wxS("\n\n") +
               wxString(WideFromUtf8(explanation)));
}
