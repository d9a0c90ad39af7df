// Every kind of source imported with Debian's ffmpeg: the working file holds exactly what
// ffmpeg decodes of the stream the preview plays, at the source's own rate and channels; a file
// without sound is refused in plain words before the converter runs.
#include "SourceMedia.h"
#include "WorkingFolder.h"
#include "import/ImportJob.h"
#include "platform/Utf8Text.h"
#include "widgets/WaveFile.h"

#include <gtest/gtest.h>

TEST(SourceKindsImport, TheWorkingFileIsFfmpegsDecodeOfTheStreamThePreviewPlays) {
    twtest::TempDir made;
    ASSERT_TRUE(twtest::MakeSourceMedia(made.Path().string()));
    const twtest::WorkingFolder work;
    for (const twtest::SourceMedia& media : twtest::SourceMediaCases()) {
        SCOPED_TRACE(media.file);
        const std::string source = made.File(media.file);
        ImportJob job;
        const bool converted = job.Convert(WideFromUtf8(source), nullptr, nullptr);
        if (media.stream < 0) {
            EXPECT_FALSE(converted);
            const std::string reason = media.stream == -1
                                           ? "The chosen file has no sound."
                                           : "The converter could not convert the chosen file.";
            EXPECT_EQ(job.Explanation().rfind(reason, 0), 0u) << job.Explanation();
            continue;
        }
        ASSERT_TRUE(converted && job.Replace()) << job.Explanation();
        WaveFile working;
        ASSERT_EQ(working.Open("temp/current.wav"), WavError::None);
        const std::vector<int16_t> decoded = twtest::FfmpegDecode(source, media.stream, "");
        EXPECT_EQ(twtest::Contents("temp/current.wav").substr(working.header.dataOffset),
                  std::string(reinterpret_cast<const char*>(decoded.data()), decoded.size() * 2));
    }
}
