#include "ui/UserFolders.h"

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

wxString MusicOrHomeFolder() {
    // The toolkit reads XDG's list of user folders as xdg-user-dir does, and answers home for
    // a folder the list doesn't name.
    const wxString music = wxStandardPaths::Get().GetUserDir(wxStandardPaths::Dir_Music);
    if (!music.empty() && wxFileName::DirExists(music) && music != wxGetHomeDir()) {
        return music;
    }
    return wxGetHomeDir();
}

wxString BrowseFolder(const wxString& picked) {
    if (!picked.empty()) {
        wxFileName file(picked);
        file.MakeAbsolute();
        const wxString folder = file.GetPath();
        const wxString working = wxGetCwd();
        const bool inWorkingFolder =
            folder == working || folder.StartsWith(working + wxFileName::GetPathSeparator());
        if (wxFileName::DirExists(folder) && !inWorkingFolder) {
            return folder;
        }
    }
    return MusicOrHomeFolder();
}
