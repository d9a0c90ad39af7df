// One ringtone made for delivery, from the editor's state to a file named as the phone should
// see it: a private folder in temp/, the offline rendering into it, then the converter
// (temp/ffmpeg, through the same ConverterRunner as the import, on the hidden console) making
// the chosen format with the title tag: the song's own title when the working file keeps one,
// else the file's name without its extension. Both steps report progress (the rendering the
// first half, the converter the second) and both stop when cancelRequested says so. With phone
// loudness the converter then decodes the file as a phone will and its true peak is measured: a
// lossy encoder overshoots the limiter's ceiling, and a file over the promised -1 dBTP is
// converted once more from the rendering turned down by the overshoot and a margin. Whatever
// happens, everything the job wrote lives in its folder and the folder goes when the job is
// destroyed; the working file is only read.
//
// Owned by the caller, one per press of the button (or per command); user-interface thread,
// since the converter blocks it and reports through the callback.
#pragma once

#include "delivery/DeliveryError.h"
#include "delivery/RingtoneFormat.h"
#include "delivery/RingtoneRenderer.h"
#include "import/ConverterRunner.h"
#include "platform/ProgressCallback.h"
#include "widgets/EditedWave.h"

#include <functional>
#include <string>
#include <vector>

class RingtoneJob {
public:
    // Where the job makes its folder, relative to the working directory.
    std::string tempFolder = "temp";

    // Asked after every rendered second and at every poll of the converter; true stops the
    // job, which then fails with Cancelled. May be empty.
    std::function<bool()> cancelRequested;
    // The converter's run: its last lines tell what went wrong.
    ConverterRunner runner;
    DeliveryError error = DeliveryError::None;
    // The system's message behind NoTempFolder and TempWriteFailed ("no space left on device").
    std::string detail;
    // The job's folder, and the finished file in it ("NAME ringtone.mp3"), once made, with the
    // title it is tagged with.
    std::string folder;
    std::string title;
    std::string fileName;
    std::string filePath;
    // How far the file was turned down, in dB, to keep phone loudness's true peak after its
    // encoder; 0 when it was not.
    double turnedDownDb = 0.0;

    RingtoneJob() = default;
    ~RingtoneJob();
    RingtoneJob(const RingtoneJob&) = delete;
    RingtoneJob& operator=(const RingtoneJob&) = delete;

    // Renders the ringtone (at most the format's longest length) and converts it, named after
    // sourcePath (the imported source), behind the callback (0 to 99 as it goes, 100 at the
    // end). False with `error` set, and nothing but the empty folder left, on failure, which
    // the failure log records (a cancel is none).
    bool Make(const EditedWave& wave, const RingtoneSound& sound, const RingtoneFormat& format,
              const std::string& sourcePath, ProgressCallback callback, void* user);

    // The converter's arguments for one conversion, after the program name.
    static std::vector<std::string> Arguments(const std::string& wavPath,
                                              const RingtoneFormat& format,
                                              const std::string& title,
                                              const std::string& outputPath);

    // DescribeFailure of error and detail, then, when the converter failed and printed
    // anything, its last lines.
    std::string Explanation() const;

private:
    bool MakeFile(const EditedWave& wave, const RingtoneSound& sound, const RingtoneFormat& format,
                  const std::string& sourcePath);
    ProgressCallback callback = nullptr;
    void* user = nullptr;
    // The second conversion hears no progress: the bar stays where the first one left it.
    bool remaking = false;
    // Converts the rendered wavPath into filePath, tagged with `title`; false with `error` set.
    bool Convert(const std::string& wavPath, const RingtoneFormat& format);
    // The true peak of filePath as the converter decodes it, in dBTP; false with `error` set.
    bool MeasureTruePeak(double& dbtp);
    // Sets `error` from the converter's run; true when it made its output, which is removed
    // otherwise.
    bool ConverterWorked(bool ran, const std::string& output);
    void Report(int32_t value);
    static void ReportConverter(int32_t value, void* job);
};
