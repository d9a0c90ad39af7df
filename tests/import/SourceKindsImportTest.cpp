// Every kind of source imported with Debian's ffmpeg: the working file is exactly ffmpeg's
// decode of the stream the preview plays, at its own rate and channels; a file without sound is
// refused in plain words before the converter runs.
#include "SourceMedia.h"
#include "WorkingFolder.h"
#include "import/ImportJob.h"
#include "text/Utf8Text.h"
#include "wav/WaveFile.h"

#include <gtest/gtest.h>

TEST(SourceKindsImport, TheWorkingFileIsFfmpegsDecodeOfTheStreamThePreviewPlays) {
    const twtest::TempDir made;
    ASSERT_TRUE(twtest::MakeSourceMedia(made.Path().string()));
    const twtest::WorkingFolder work;
    for (const twtest::SourceMedia& media : twtest::SourceMediaCases()) {
        SCOPED_TRACE(media.file);
        ImportJob job;
        if (!job.Convert(WideFromUtf8(made.File(media.file)), nullptr, nullptr)) {
            ASSERT_LT(media.stream, 0) << job.Explanation();
            EXPECT_EQ(job.Explanation().rfind(media.stream == -1 ? "The chosen file has no sound."
                                                                 : "The converter could not",
                                              0),
                      0u);
            continue;
        }
        ASSERT_TRUE(media.stream >= 0 && job.Replace());
        WaveFile working;
        ASSERT_EQ(working.Open("temp/current.wav"), WavError::None);
        const std::vector<int16_t> decoded =
            twtest::FfmpegDecode(made.File(media.file), media.stream, "");
        EXPECT_EQ(twtest::Contents("temp/current.wav").substr(working.header.dataOffset),
                  std::string(reinterpret_cast<const char*>(decoded.data()), decoded.size() * 2));
    }
}
