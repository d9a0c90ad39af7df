#include "delivery/RingtoneJob.h"

#include "delivery/RingtoneName.h"
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
                       ProgressCallback callback, void* user) {
    error = DeliveryError::None;
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
    const std::string title = RingtoneTitle(sourcePath);
    fileName = title + format.extension;
    filePath = folder + "/" + fileName;
    const std::string wavPath = folder + "/rendered.wav";
    std::error_code ignored;
    std::filesystem::remove(filePath, ignored);
    if (!RenderRingtone(wave, sound, format.maxSeconds, wavPath)) {
        error = DeliveryError::RenderFailed;
        return false;
    }
    const bool ran = runner.Run(Arguments(wavPath, format, title, filePath), callback, user);
    std::filesystem::remove(wavPath, ignored);
    if (!ran) {
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

std::string RingtoneJob::Explanation() const {
    std::string text = DescribeDeliveryError(error);
    if (error == DeliveryError::ConversionFailed) {
        text += runner.LastLinesText();
    }
    return text;
}
