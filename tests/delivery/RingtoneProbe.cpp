#include "RingtoneProbe.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace twtest {

namespace {

// Runs a command line of our own making (fixed options, paths of the test's folder) and returns
// its standard output; empty when it fails.
std::string Output(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return "";
    }
    std::string text;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        text.append(buffer, n);
    }
    return pclose(pipe) == 0 ? text : "";
}

std::string Quoted(const std::string& path) {
    std::string quoted = "'";
    for (const char c : path) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

} // namespace

std::map<std::string, std::string> Probe(const std::string& path) {
    const std::string text =
        Output("ffprobe -v error -show_entries "
               "format=format_name:format_tags=title:stream=codec_name,channels,sample_rate "
               "-of default=noprint_wrappers=1 " +
               Quoted(path));
    std::map<std::string, std::string> values;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, end - at);
        const size_t equals = line.find('=');
        if (equals != std::string::npos) {
            std::string key = line.substr(0, equals);
            if (key.starts_with("TAG:")) {
                key = key.substr(4);
            }
            values[key] = line.substr(equals + 1);
        }
        at = end + 1;
    }
    return values;
}

namespace {

// Mono 16-bit samples at 8000 Hz.
std::string Decoded(const std::string& path) {
    return Output("ffmpeg -nostdin -v error -i " + Quoted(path) + " -f s16le -ac 1 -ar 8000 -");
}

int Peak(const std::string& pcm, size_t from) {
    int peak = 0;
    for (size_t at = from & ~size_t{1}; at + 1 < pcm.size(); at += 2) {
        int16_t sample = 0;
        std::memcpy(&sample, pcm.data() + at, 2);
        peak = std::max(peak, std::abs(int{sample}));
    }
    return peak;
}

} // namespace

double DecodedSeconds(const std::string& path) {
    const std::string pcm = Decoded(path);
    return pcm.empty() ? -1.0 : static_cast<double>(pcm.size()) / 16000.0;
}

double LastSecondPeakShare(const std::string& path) {
    const std::string pcm = Decoded(path);
    const int whole = Peak(pcm, 0);
    return pcm.size() < 16000 || whole == 0
               ? -1.0
               : static_cast<double>(Peak(pcm, pcm.size() - 16000)) / whole;
}

std::vector<int16_t> DecodedStereo(const std::string& path) {
    const std::string pcm =
        Output("ffmpeg -nostdin -v error -i " + Quoted(path) + " -f s16le -ac 2 -ar 44100 -");
    std::vector<int16_t> samples(pcm.size() / 2);
    std::memcpy(samples.data(), pcm.data(), samples.size() * 2);
    return samples;
}

} // namespace twtest
