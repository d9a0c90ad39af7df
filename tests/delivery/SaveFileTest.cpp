// Saving the ringtone into a folder, and the reasons the user reads when it fails.
#include "TempDir.h"

#include "delivery/DeliveryMessages.h"
#include "delivery/SaveFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

namespace {

TEST(SaveFile, FailuresGiveTheSystemsReason) {
    const struct {
        int error;
        const char* reason;
    } reasons[] = {{EACCES, "no permission"},
                   {EROFS, "the folder is read-only"},
                   {ENOSPC, "no space left"},
                   {ENOENT, "the folder does not exist"},
                   {EIO, "input/output error"}};
    for (const auto& r : reasons) {
        EXPECT_EQ(delivery_text::SystemReason(r.error), r.reason);
    }
    twtest::TempDir dir;
    std::ofstream(dir.File("from.mp3")) << "x";
    int error = 0;
    EXPECT_FALSE(SaveFileAtomically(dir.File("from.mp3"), dir.File("no/x.mp3"), &error));
    EXPECT_EQ(delivery_text::SaveFailure(error),
              "The ringtone could not be written to the chosen folder: the folder does not "
              "exist.");
    // A name of the full 255 bytes is saved: the hidden file beside it has a short name.
    EXPECT_TRUE(SaveFileAtomically(dir.File("from.mp3"), dir.File(std::string(251, 'a') + ".mp3")));
}

} // namespace
