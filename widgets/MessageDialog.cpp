#include "widgets/MessageDialog.h"

#include <wx/msgdlg.h>
#include <wx/tokenzr.h>

int ShowMessage(wxWindow* parent, const wxString& text, const wxString& caption, long style) {
    wxMessageDialog dialog(parent, WrapMessage(text), caption, style);
    return dialog.ShowModal();
}

wxString WrapMessage(const wxString& text, size_t columns) {
    wxString wrapped;
    wxStringTokenizer lines(text, wxS("\n"), wxTOKEN_RET_EMPTY_ALL);
    while (lines.HasMoreTokens()) {
        wxString line = lines.GetNextToken();
        while (line.length() > columns) {
            const size_t space = line.find_last_of(' ', columns);
            const size_t cut = space != wxString::npos && space > 0 ? space : columns;
            wrapped += line.Left(cut) + wxS("\n");
            line = line.Mid(cut == space ? cut + 1 : cut);
        }
        wrapped += line + (lines.HasMoreTokens() ? wxS("\n") : wxS(""));
    }
    return wrapped;
}
