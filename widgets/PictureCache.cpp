#include "widgets/PictureCache.h"

#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/module.h>

#include <filesystem>
#include <map>
#include <utility>

namespace {

using PictureKey = std::pair<wxString, bool>;

struct CachedPicture {
    wxBitmap bitmap;
    std::filesystem::file_time_type written; // the file's time when it was read
};

std::map<PictureKey, CachedPicture>& Pictures() {
    static std::map<PictureKey, CachedPicture> pictures;
    return pictures;
}

// The file's last write; the minimum when it is gone.
std::filesystem::file_time_type WriteTime(const wxString& path) {
    std::error_code error;
    const auto written = std::filesystem::last_write_time(path.fn_str().data(), error);
    return error ? std::filesystem::file_time_type::min() : written;
}

// The bitmaps go while the toolkit that made them still runs.
class PictureCacheModule : public wxModule {
public:
    bool OnInit() override { return true; }
    void OnExit() override { Pictures().clear(); }

private:
    wxDECLARE_DYNAMIC_CLASS(PictureCacheModule);
};

wxIMPLEMENT_DYNAMIC_CLASS(PictureCacheModule, wxModule);

} // namespace

wxBitmap LoadPicture(const wxString& path, bool whiteIsTransparent) {
    wxFileName file(path);
    file.MakeAbsolute();
    const PictureKey key(file.GetFullPath(), whiteIsTransparent);
    const auto written = WriteTime(key.first);
    const auto found = Pictures().find(key);
    if (found != Pictures().end() && found->second.written == written) {
        return found->second.bitmap;
    }
    wxBitmap picture;
    if (whiteIsTransparent) {
        picture = LoadPicture(path);
        if (picture.IsOk()) {
            picture.SetMask(new wxMask(picture, *wxWHITE));
        }
    } else {
        picture.LoadFile(key.first, wxBITMAP_TYPE_ANY);
    }
    if (picture.IsOk()) {
        Pictures()[key] = CachedPicture{picture, written};
    } else {
        Pictures().erase(key);
    }
    return picture;
}

void PreloadPictures(const wxString& folder) {
    if (!wxDir::Exists(folder)) {
        return;
    }
    wxDir dir(folder);
    wxString name;
    for (bool more = dir.IsOpened() && dir.GetFirst(&name, "*.bmp", wxDIR_FILES); more;
         more = dir.GetNext(&name)) {
        LoadPicture(wxFileName(folder, name).GetFullPath());
    }
}
