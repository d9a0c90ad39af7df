// The one way the program shows a message or asks a question: every message box of the window
// goes through ShowMessage, so that a long text (a path of 250 characters, the converter's last
// lines) wraps at a width that fits on the screen instead of widening the dialog past it. GTK's
// dialog wraps at spaces by itself but never inside a word; the wrapping here breaks every
// line longer than the width, at its last space within it or, without one, inside the word.
// User-interface thread only.
#pragma once

#include <wx/string.h>

#include <cstddef>

class wxWindow;

inline constexpr size_t messageColumns = 72;

// A wxMessageDialog over parent (may be null) with the wrapped text; returns what ShowModal
// returns (wxID_OK, wxID_YES, wxID_NO, wxID_CANCEL).
int ShowMessage(wxWindow* parent, const wxString& text, const wxString& caption, long style);

// text with every line cut to at most `columns` characters.
wxString WrapMessage(const wxString& text, size_t columns = messageColumns);
