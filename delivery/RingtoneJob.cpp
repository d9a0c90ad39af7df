#include "delivery/RingtoneJob.h"

#include "delivery/DeliveryMethod.h"
#include "delivery/RingtoneName.h"
#include "import/ConverterArguments.h"
#include "platform/FailureLog.h"
#include "platform/LoudnessMeter.h"
#include "platform/OfflineOutput.h"
#include "wav/WavTitle.h"
#include "wav/WaveFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>
#include <vector>

namespace {

// How much further than its overshoot a file is turned down: the lossy encoders' overshoot
// differs a little from one encoding to the next.
constexpr double kTurnDownMarginDb = 0.5;

// Turns the samples of a 16-bit PCM WAV file down by `db`, in place.
bool TurnDown(const std::string& path, double db) {
    WaveFile wav;
    if (wav.Open(path) != WavError::None) {
        return false;
    }
    const double gain = std::pow(10.0, -db / 20.0);
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    std::vector<int16_t> samples(65536);
    const auto end = static_cast<std::streamoff>(wav.header.dataOffset) + wav.header.dataSize;
    for (auto at = static_cast<std::streamoff>(wav.header.dataOffset); file && at < end;) {
        const auto bytes = std::min<std::streamoff>(
            end - at, static_cast<std::streamoff>(samples.size() * sizeof(int16_t)));
        file.seekg(at);
        file.read(reinterpret_cast<char*>(samples.data()), bytes);
        for (size_t i = 0; i < static_cast<size_t>(bytes) / sizeof(int16_t); ++i) {
            samples[i] = static_cast<int16_t>(std::lround(samples[i] * gain));
        }
        file.seekp(at);
        file.write(reinterpret_cast<const char*>(samples.data()), bytes);
        at += bytes;
    }
    return static_cast<bool>(file);
}

} // namespace

RingtoneJob::~RingtoneJob() {
    if (!folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
}

std::vector<std::string> RingtoneJob::Arguments(const std::string& wavPath,
                                                const RingtoneFormat& format,
                                                const std::string& title,
                                                const std::string& outputPath) {
    std::vector<std::string> arguments{
        "-nostdin",  "-i",        ConverterPath(wavPath), "-y", "-vn",        "-map_metadata",
        "-1",        "-metadata", "title=" + title,       "-f", format.muxer, "-acodec",
        format.codec};
    if (format.bitRate[0] != '\0') {
        arguments.insert(arguments.end(), {"-b:a", format.bitRate});
    }
    // The table's further options are "-name value" pairs of plain words.
    std::istringstream options(format.muxerOption);
    for (std::string word; options >> word;) {
        arguments.push_back(word);
    }
    arguments.push_back(ConverterPath(outputPath));
    return arguments;
}

bool RingtoneJob::Make(const EditedWave& wave, const RingtoneSound& sound,
                       const RingtoneFormat& format, const std::string& sourcePath,
                       ProgressCallback progress, void* progressUser) {
    error = DeliveryError::None;
    detail.clear();
    turnedDownDb = 0.0;
    callback = progress;
    user = progressUser;
    remaking = false;
    if (MakeFile(wave, sound, format, sourcePath)) {
        return true;
    }
    if (error != DeliveryError::Cancelled) {
        LogFailure("ringtone from " + sourcePath, Explanation());
    }
    return false;
}

bool RingtoneJob::MakeFile(const EditedWave& wave, const RingtoneSound& sound,
                           const RingtoneFormat& format, const std::string& sourcePath) {
    if (folder.empty()) {
        std::string pattern = tempFolder + "/ringtone-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (mkdtemp(name.data()) == nullptr) {
            error = DeliveryError::NoTempFolder;
            detail = SystemMessage(errno);
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
    int writeError = 0;
    const bool rendered = RenderRingtone(
        wave, sound, format.maxSeconds, wavPath,
        [this](int32_t p) {
            Report(p / 2);
            return !(cancelRequested && cancelRequested());
        },
        &writeError);
    if (!rendered) {
        if (cancelRequested && cancelRequested()) {
            error = DeliveryError::Cancelled;
        } else if (writeError != 0) {
            error = DeliveryError::TempWriteFailed;
            detail = SystemMessage(writeError);
        } else {
            error = DeliveryError::RenderFailed;
        }
        return false;
    }
    bool made = Convert(wavPath, format);
    double truePeak = EffectSet::promisedTruePeak;
    if (made && sound.effects.phoneLoudness) {
        made = MeasureTruePeak(truePeak);
    }
    if (made && truePeak > EffectSet::promisedTruePeak) {
        // The sound is turned down rather than limited harder: a lossy encoder overshoots the
        // more, the more the limiter had to do, so a lower ceiling at the same loudness is no
        // sure remedy, while a lower level lowers the decoded peak by as much.
        remaking = true;
        turnedDownDb = truePeak - EffectSet::promisedTruePeak + kTurnDownMarginDb;
        if (!TurnDown(wavPath, turnedDownDb)) {
            error = DeliveryError::RenderFailed;
        }
        made = error == DeliveryError::None && Convert(wavPath, format);
        remaking = false;
    }
    std::filesystem::remove(wavPath, ignored);
    if (!made) {
        std::filesystem::remove(filePath, ignored);
        return false;
    }
    Report(100);
    return true;
}

bool RingtoneJob::Convert(const std::string& wavPath, const RingtoneFormat& format) {
    runner.cancelRequested = cancelRequested;
    return ConverterWorked(
        runner.Run(Arguments(wavPath, format, title, filePath), ReportConverter, this), filePath);
}

bool RingtoneJob::MeasureTruePeak(double& dbtp) {
    const std::string decoded = folder + "/decoded.raw";
    const std::vector<std::string> arguments{"-nostdin",
                                             "-i",
                                             ConverterPath(filePath),
                                             "-y",
                                             "-vn",
                                             "-f",
                                             "f32le",
                                             "-acodec",
                                             "pcm_f32le",
                                             "-ac",
                                             "2",
                                             "-ar",
                                             std::to_string(OfflineOutput::rate),
                                             ConverterPath(decoded)};
    if (!ConverterWorked(runner.Run(arguments, nullptr, nullptr), decoded)) {
        return false;
    }
    const std::unique_ptr<LoudnessMeter> meter =
        LoudnessMeter::Create(OfflineOutput::rate, 2, true);
    bool measured = meter != nullptr;
    std::ifstream in(decoded, std::ios::binary);
    std::vector<float> frames(2 * 65536);
    while (measured && in) {
        in.read(reinterpret_cast<char*>(frames.data()),
                static_cast<std::streamsize>(frames.size() * sizeof(float)));
        measured = meter->Add(frames.data(), static_cast<size_t>(in.gcount()) / sizeof(float) / 2);
    }
    std::error_code ignored;
    std::filesystem::remove(decoded, ignored);
    if (!measured) {
        error = DeliveryError::RenderFailed;
        return false;
    }
    dbtp = meter->TruePeak();
    return true;
}

bool RingtoneJob::ConverterWorked(bool ran, const std::string& output) {
    if (runner.cancelled) {
        error = DeliveryError::Cancelled;
    } else if (!ran) {
        error = DeliveryError::ConverterNotStarted;
    } else {
        std::error_code missing;
        const auto size = std::filesystem::file_size(output, missing);
        if (!runner.Succeeded() || missing || size == 0) {
            error = DeliveryError::ConversionFailed;
        }
    }
    if (error != DeliveryError::None) {
        std::error_code ignored;
        std::filesystem::remove(output, ignored);
        return false;
    }
    return true;
}

void RingtoneJob::Report(int32_t value) {
    if (callback != nullptr && !remaking) {
        callback(value, user);
    }
}

void RingtoneJob::ReportConverter(int32_t value, void* job) {
    // The converter's share is the second half, short of the end, which Make reports once the
    // file is whole; "busy, amount unknown" stays as it is.
    static_cast<RingtoneJob*>(job)->Report(value < 0 ? value : std::min(99, 50 + value / 2));
}

std::string RingtoneJob::Explanation() const {
    std::string text = DescribeFailure({error, detail, ""});
    if (error == DeliveryError::ConversionFailed) {
        text += runner.LastLinesText();
    }
    return text;
}
