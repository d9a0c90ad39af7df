#include "ui/UpdateProgressDialog.h"

#include <wx/progdlg.h>

void UpdateProgressDialog(int32_t value, void* dialog) {
    auto* progress = static_cast<wxProgressDialog*>(dialog);
    if (value == -1) {
        progress->Pulse(wxEmptyString, nullptr);
    } else {
        progress->Update(value, wxEmptyString, nullptr);
    }
}
