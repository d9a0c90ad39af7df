// The picture cache: a file is decoded once and shared, read again once it changes, and gone
// once the file is.
#include "widgets/PictureCache.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/log.h>

#include <chrono>
#include <filesystem>

namespace {

void WritePicture(const std::string& path, unsigned char red, int secondsLater) {
    wxImage image(2, 2);
    image.SetRGB(wxRect(0, 0, 2, 2), red, 0, 255);
    ASSERT_TRUE(image.SaveFile(path, wxBITMAP_TYPE_BMP));
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() +
                                               std::chrono::seconds(secondsLater));
}

unsigned char Red(const wxBitmap& picture) {
    return picture.ConvertToImage().GetRed(0, 0);
}

} // namespace

TEST(PictureCache, readsAFileAgainOnlyOnceItHasChanged) {
    twtest::TempDir dir;
    const std::string path = dir.File("picture.bmp");
    WritePicture(path, 10, 0);
    const wxBitmap first = LoadPicture(path);
    EXPECT_TRUE(first.IsSameAs(LoadPicture(path)));
    EXPECT_NE(LoadPicture(path, true).GetMask(), nullptr);
    EXPECT_EQ(LoadPicture(path).GetMask(), nullptr);

    WritePicture(path, 200, 5);
    const wxBitmap changed = LoadPicture(path);
    EXPECT_FALSE(changed.IsSameAs(first));
    EXPECT_EQ(Red(changed), 200);
    EXPECT_EQ(Red(LoadPicture(path, true)), 200);

    std::filesystem::remove(path);
    const wxLogNull expectedLoadError;
    EXPECT_FALSE(LoadPicture(path).IsOk());
}
