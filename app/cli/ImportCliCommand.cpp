#include "app/cli/ImportCliCommand.h"

#include "app/cli/ConsoleForThisRun.h"
#include "import/ImportJob.h"
#include "text/Utf8Text.h"
#include "wav/WaveFile.h"

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Reads every second of the working file, as the editor's waveform does after an import.
WavError LoadWaveform(const std::string& path, int32_t& durationSeconds, int& systemError) {
    WaveFile file;
    WavError error = file.Open(path);
    if (error == WavError::None) {
        error = file.ScanSeconds([](int32_t, SecondBars) {});
    }
    durationSeconds = file.header.durationSeconds;
    systemError = file.systemError;
    return error;
}

} // namespace

int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: tonewick-cli import SOURCE\n";
        return kExitUsage;
    }
    const std::string& source = args[0];
    const ConsoleForThisRun console;
    ImportJob job;
    int32_t durationSeconds = 0;
    bool imported = job.Convert(WideFromUtf8(source), PrintProgress, &out) && job.Replace();
    if (imported) {
        int systemError = 0;
        const WavError loaded = LoadWaveform(job.workingPath, durationSeconds, systemError);
        if (loaded != WavError::None) {
            job.Undo(loaded, systemError);
            imported = false;
        }
    }
    if (!imported) {
        out.flush();
        err << "tonewick-cli import: " << source << ": " << job.Explanation() << "\n";
        return kExitFailed;
    }
    out << "duration: " << durationSeconds << "\n";
    out.flush();
    return out ? 0 : kExitFailed;
}
