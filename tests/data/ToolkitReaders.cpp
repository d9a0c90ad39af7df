#include "ToolkitReaders.h"

#include <gtest/gtest.h>
#include <wx/imagbmp.h>
#include <wx/wfstream.h>
#include <wx/zipstrm.h>

#include <memory>

namespace twtest {

namespace {

// Without an application object nothing registers the handlers.
[[maybe_unused]] const bool registered = [] {
    wxImage::AddHandler(new wxBMPHandler);
    wxImage::AddHandler(new wxICOHandler);
    return true;
}();

} // namespace

wxImage ReadImage(const std::string& path, wxBitmapType type, int index) {
    wxImage image;
    const bool loaded = image.LoadFile(path, type, index);
    EXPECT_TRUE(loaded) << path << " #" << index;
    return loaded ? image : wxImage();
}

std::map<std::string, std::string> ZipEntries(const std::string& path) {
    std::map<std::string, std::string> entries;
    wxFFileInputStream file(path);
    wxZipInputStream zip(file);
    for (std::unique_ptr<wxZipEntry> entry(zip.GetNextEntry()); entry;
         entry.reset(zip.GetNextEntry())) {
        std::string bytes;
        char buffer[4096];
        while (zip.Read(buffer, sizeof buffer).LastRead() > 0) {
            bytes.append(buffer, zip.LastRead());
        }
        // The stream checks the entry's CRC at its end and reports a mismatch as a read error.
        if (zip.GetLastError() == wxSTREAM_EOF) {
            entries[entry->GetName(wxPATH_UNIX).ToStdString()] = bytes;
        }
    }
    return entries;
}

} // namespace twtest
