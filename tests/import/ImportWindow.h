// The program's main window for import tests under Xvfb: built in the run folder (where its
// pictures are), then working in a folder of the test's own (with a link to the pictures) on
// a console of its own; every modal dialog is answered and noted instead of shown.
#pragma once

#include "ui/twUserInterface.h"

#include <wx/modalhook.h>
#include <wx/string.h>
#include <wx/weakref.h>

#include <filesystem>
#include <string>
#include <vector>

namespace twtest {

// Answers every modal dialog at once, noting its title and message.
class DialogAnswerer : public wxModalDialogHook {
public:
    explicit DialogAnswerer(int answer);
    ~DialogAnswerer() override;
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    struct Shown {
        wxString title;
        wxString message;
    };
    std::vector<Shown> shown;

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

private:
    int reply;
};

class ImportWindow {
public:
    // Builds and shows the window, then works in `folder`.
    explicit ImportWindow(const std::filesystem::path& folder);
    // Destroys the window if it still stands and goes back to the run folder.
    ~ImportWindow();
    ImportWindow(const ImportWindow&) = delete;
    ImportWindow& operator=(const ImportWindow&) = delete;

    // Null once the toolkit has destroyed the window.
    wxWeakRef<twUserInterface> ui;

    // Picks the file as the picker does: the source preview plays it if it can.
    void Pick(const std::string& path);
    // Presses the import button with the picked file.
    void Import();
    // The editor's state that a failed import must leave alone.
    std::vector<int32_t> EditorState() const;

private:
    std::filesystem::path runFolder;
};

} // namespace twtest
