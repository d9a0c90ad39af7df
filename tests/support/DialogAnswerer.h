// Answers every modal dialog at once instead of showing it, noting its title, message and
// style; registered for the answerer's life.
#pragma once

#include <wx/modalhook.h>
#include <wx/string.h>

#include <vector>

namespace twtest {

class DialogAnswerer : public wxModalDialogHook {
public:
    explicit DialogAnswerer(int answer);
    ~DialogAnswerer() override;
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    struct Shown {
        wxString title;
        wxString message;
        // A message dialog's style, 0 for other dialogs.
        long style;
    };
    std::vector<Shown> shown;

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

private:
    int reply;
};

} // namespace twtest
