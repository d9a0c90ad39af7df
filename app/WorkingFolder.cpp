#include "app/WorkingFolder.h"

#include "text/Translation.h"

bool IsWorkingFolder(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_regular_file(folder / "images" / "select_media.bmp", error);
}

std::filesystem::path ExpectedWorkingFolder(const std::filesystem::path& program) {
    return program.parent_path() / "run";
}

std::string OutsideWorkingFolderMessage(const std::filesystem::path& expected) {
    return FillIn(Tr("Tonewick was started outside its working folder and can't find its "
                     "pictures.\n\nIt expects to run in %s, which holds its pictures, its help and "
                     "its temp folder.\n\nStart it with scripts/run from its source folder, or "
                     "with its launcher; both start it there."),
                  {expected.string()});
}
