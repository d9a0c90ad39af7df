#include "import/ImportJob.h"

#include "import/ConverterArguments.h"
#include "import/ImportChecks.h"
#include "platform/FailureLog.h"
#include "platform/HiddenConsole.h"
#include "platform/PageCache.h"
#include "platform/SourceCheck.h"
#include "text/Translation.h"
#include "text/Utf8Text.h"
#include "wav/WaveFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>
#include <thread>

namespace fs = std::filesystem;

namespace {

bool Exists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

// The pattern with its X's replaced so that nothing exists under the name. The converter
// creates the file itself: a file that exists before it opens it would be truncated instead,
// and the file system then flushes it to disk at close, which costs a conversion of an hour
// a tenth of its time.
std::string FreshName(const std::string& pattern) {
    static constexpr char letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<size_t> pick(0, sizeof letters - 2);
    const size_t last = pattern.rfind('X');
    for (int attempt = 0; attempt < 100 && last != std::string::npos; ++attempt) {
        std::string name = pattern;
        for (size_t i = last + 1; i-- > 0 && name[i] == 'X';) {
            name[i] = letters[pick(random)];
        }
        std::error_code failure;
        if (!fs::exists(name, failure) && !failure) {
            return name;
        }
    }
    return {};
}

} // namespace

ImportJob::~ImportJob() {
    Settle();
}

bool ImportJob::Convert(const std::wstring& sourcePath, ProgressCallback callback, void* user) {
    source = Utf8FromWide(sourcePath);
    if (ConvertSource(sourcePath, callback, user)) {
        return true;
    }
    Record();
    return false;
}

bool ImportJob::ConvertSource(const std::wstring& sourcePath, ProgressCallback callback,
                              void* user) {
    Settle();
    runner = ConverterRunner{};
    wavError = WavError::None;
    detail.clear();
    int systemError = 0;
    error = CheckBeforeConverting(source, converterPath, workingPath, &systemError);
    if (error != ImportError::None) {
        if (systemError != 0) {
            detail = SystemMessage(systemError);
        }
        return false;
    }
    // The converter takes the stream the preview plays. A file the decoder can't read at all
    // is still the converter's to try, as it would choose for itself.
    const SourceCheck check = CheckSource(source);
    if (check.result == SourceCheck::Result::NoSound) {
        error = ImportError::NoSound;
        return false;
    }
    if (ProcessConsole() == nullptr) {
        error = ImportError::NoConsole;
        return false;
    }
    stagingPath = FreshName(stagingPattern);
    if (stagingPath.empty()) {
        error = ImportError::NoStagingFile;
        return false;
    }

    runner.program = converterPath;
    runner.cancelRequested = cancelRequested;
    bool converted = false;
    {
        // Dropping a large, freshly written file's pages takes the kernel a quarter of a
        // second; it runs while the converter starts up, and is over before the result is read.
        const std::jthread dropper([path = workingPath] { DropCachedPages(path); });
        converted =
            runner.Run(BuildConverterArguments(sourcePath, WideFromUtf8(stagingPath), check.stream),
                       callback, user);
    }
    if (!converted) {
        error = ImportError::ConverterNotStarted;
    } else if (runner.cancelled) {
        error = ImportError::Cancelled;
    } else if (!runner.Succeeded()) {
        error =
            runner.exitStatus == -1 ? ImportError::ConverterKilled : ImportError::ConverterFailed;
    } else {
        WaveFile result;
        wavError = result.Open(stagingPath);
        if (wavError != WavError::None) {
            error = ImportError::UnusableResult;
        } else if (result.header.durationSeconds < 1) {
            // The editor counts in whole seconds: with none there is nothing to edit.
            error = ImportError::TooShort;
        } else {
            header = result.header;
            return true;
        }
    }
    RemoveStaging();
    return false;
}

bool ImportJob::Replace() {
    if (stagingPath.empty()) {
        error = ImportError::NotReplaced;
        Record();
        return false;
    }
    hadPrevious = Exists(workingPath);
    if (hadPrevious && std::rename(workingPath.c_str(), previousPath.c_str()) != 0) {
        hadPrevious = false;
        error = ImportError::NotReplaced;
        detail = SystemMessage(errno);
        RemoveStaging();
        Record();
        return false;
    }
    if (std::rename(stagingPath.c_str(), workingPath.c_str()) != 0) {
        detail = SystemMessage(errno);
        if (hadPrevious) {
            std::rename(previousPath.c_str(), workingPath.c_str());
            hadPrevious = false;
        }
        error = ImportError::NotReplaced;
        RemoveStaging();
        Record();
        return false;
    }
    stagingPath.clear();
    replaced = true;
    return true;
}

bool ImportJob::Undo(WavError loadError, int systemError) {
    error = ImportError::NotLoaded;
    wavError = loadError;
    detail = systemError != 0 ? SystemMessage(systemError) : std::string();
    Record();
    if (!replaced) {
        return false;
    }
    replaced = false;
    if (!hadPrevious) {
        return std::remove(workingPath.c_str()) == 0;
    }
    hadPrevious = false;
    return std::rename(previousPath.c_str(), workingPath.c_str()) == 0;
}

std::string ImportJob::Explanation() const {
    std::string text = DescribeImportError(error);
    if (wavError != WavError::None) {
        text = FillIn(Tr("%1$s (%2$s)"), {text, DescribeWavError(wavError)});
    }
    text = detail.empty() ? text + '.' : FillIn(Tr("%s: %s."), {text, detail});
    // A cancelled converter's last words are about being stopped, which the user knows; after
    // a replace or a load the converter had succeeded, and its words explain nothing.
    if (error != ImportError::Cancelled && error != ImportError::NotReplaced &&
        error != ImportError::NotLoaded) {
        text += runner.LastLinesText();
    }
    return text;
}

void ImportJob::Record() const {
    if (error != ImportError::Cancelled) {
        LogFailure("import " + source, Explanation());
    }
}

void ImportJob::Settle() {
    RemoveStaging();
    if (replaced && hadPrevious) {
        std::remove(previousPath.c_str());
    }
    replaced = false;
    hadPrevious = false;
}

void ImportJob::RemoveStaging() {
    if (!stagingPath.empty()) {
        std::remove(stagingPath.c_str());
        stagingPath.clear();
    }
}
