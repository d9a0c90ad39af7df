#include "app/cli/WaveformCommand.h"

#include "wav/WaveFile.h"

#include <cstdio>

namespace {

constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

} // namespace

int RunWaveformCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: tonewick-cli waveform FILE.wav\n";
        return kExitUsage;
    }
    const std::string& path = args[0];
    WaveFile file;
    WavError result = file.Open(path);
    if (result == WavError::None) {
        const WavHeader& h = file.header;
        out << "duration: " << h.durationSeconds << "\n"
            << "channels: " << h.channels << "\n"
            << "sample rate: " << h.sampleRate << "\n"
            << "byte rate: " << h.byteRate << "\n"
            << "data offset: " << h.dataOffset << "\n";
        // One short line per second, formatted without the stream's locale machinery:
        // a three-hour file has over ten thousand of them.
        result = file.ScanSeconds([&out](int32_t second, SecondBars bars) {
            char line[48];
            const int n =
                std::snprintf(line, sizeof line, "%d %d %d\n", second + 1, bars.upper, bars.lower);
            out.write(line, n);
        });
    }
    if (result != WavError::None) {
        out.flush();
        err << "tonewick-cli waveform: " << path << ": " << DescribeWavError(result) << "\n";
        return kExitRefused;
    }
    out.flush();
    return out ? 0 : kExitRefused;
}
