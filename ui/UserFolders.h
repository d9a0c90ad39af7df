// The folders the window's file dialogs open in, so that none opens in the program's working
// folder (the current one), which holds nothing of the user's. Asked by the controller's Browse
// and by Convert and Send's save dialog each time one opens.
#pragma once

#include <wx/string.h>

// The user's music folder (XDG's MUSIC, as xdg-user-dir MUSIC names it) when it exists and is
// not home itself, else home.
wxString MusicOrHomeFolder();

// Where Browse opens: the folder of the file last picked (`picked`, empty before the first)
// while it exists and lies outside the working folder, else MusicOrHomeFolder().
wxString BrowseFolder(const wxString& picked);
