#include "delivery/RingtoneJob.h"

#include "delivery/RingtoneName.h"
#include "delivery/WavTitle.h"
#include "import/ConverterArguments.h"
#include "platform/Utf8Text.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

RingtoneJob::~RingtoneJob() {
    if (!folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
}

std::wstring RingtoneJob::Arguments(const std::string& wavPath, const RingtoneFormat& format,
                                    const std::string& title, const std::string& outputPath) {
    std::wstring arguments = L" -nostdin -i " + ConverterPathArgument(WideFromUtf8(wavPath)) +
                             L" -y -vn -map_metadata -1 -metadata " +
                             ConverterTextArgument(WideFromUtf8("title=" + title)) + L" -f " +
                             WideFromUtf8(format.muxer) + L" -acodec " + WideFromUtf8(format.codec);
    if (format.bitRate[0] != '\0') {
        arguments += L" -b:a " + WideFromUtf8(format.bitRate);
    }
    if (format.muxerOption[0] != '\0') {
        arguments += L" " + WideFromUtf8(format.muxerOption);
    }
    return arguments + L" " + ConverterPathArgument(WideFromUtf8(outputPath));
}

bool RingtoneJob::Make(const EditedWave& wave, const RingtoneSound& sound,
                       const RingtoneFormat& format, const std::string& sourcePath,
                       ProgressCallback progress, void* progressUser) {
    error = DeliveryError::None;
    callback = progress;
    user = progressUser;
    if (folder.empty()) {
        std::string pattern = tempFolder + "/ringtone-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (mkdtemp(name.data()) == nullptr) {
            error = DeliveryError::NoTempFolder;
            return false;
        }
        folder = name.data();
    }
    const std::string stem = RingtoneStem(sourcePath, format.extension);
    title = ReadWavTitle(wave.MediaPath());
    if (title.empty()) {
        title = stem;
    }
    fileName = stem + format.extension;
    filePath = folder + "/" + fileName;
    const std::string wavPath = folder + "/rendered.wav";
    std::error_code ignored;
    std::filesystem::remove(filePath, ignored);
    const bool rendered =
        RenderRingtone(wave, sound, format.maxSeconds, wavPath, [this](int32_t p) {
            Report(p / 2);
            return !(cancelRequested && cancelRequested());
        });
    if (!rendered) {
        const bool stopped = cancelRequested && cancelRequested();
        error = stopped ? DeliveryError::Cancelled : DeliveryError::RenderFailed;
        return false;
    }
    runner.cancelRequested = cancelRequested;
    const bool ran = runner.Run(Arguments(wavPath, format, title, filePath), ReportConverter, this);
    std::filesystem::remove(wavPath, ignored);
    if (runner.cancelled) {
        error = DeliveryError::Cancelled;
    } else if (!ran) {
        error = DeliveryError::ConverterNotStarted;
    } else {
        std::error_code missing;
        const auto size = std::filesystem::file_size(filePath, missing);
        if (!runner.Succeeded() || missing || size == 0) {
            error = DeliveryError::ConversionFailed;
        }
    }
    if (error != DeliveryError::None) {
        std::filesystem::remove(filePath, ignored);
        return false;
    }
    return true;
}

void RingtoneJob::Report(int32_t value) {
    if (callback != nullptr) {
        callback(value, user);
    }
}

void RingtoneJob::ReportConverter(int32_t value, void* job) {
    // The converter's share is the second half; "busy, amount unknown" stays as it is.
    static_cast<RingtoneJob*>(job)->Report(value < 0 ? value : 50 + value / 2);
}

std::string RingtoneJob::Explanation() const {
    std::string text = DescribeDeliveryError(error);
    if (error == DeliveryError::ConversionFailed) {
        text += runner.LastLinesText();
    }
    return text;
}
