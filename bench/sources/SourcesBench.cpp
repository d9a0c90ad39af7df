// Measures, for each file named, the time from the pick to the first sample at the sound device
// (ALSA's file device, drained by a thread of this program as fast as it comes): what the
// source preview does when a file is picked, the check of the file and then the engine's
// Stop, FreeStream, SetFile, OpenStream, SetVolume and Play. The anchor, the floor, is
// ffmpeg decoding the first second of the same file, run as a command. Medians of a number of
// picks, after one pick that loads the decoder module.
// Usage: sources_bench [--rounds N] FILE...
#include "AlsaFileSink.h"

#include "audio/AudioEngine.h"
#include "platform/SourceCheck.h"
#include "text/Utf8Text.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The source preview's pick, without the window: false when the file can't be heard.
bool Pick(AudioEngine& engine, const std::string& path) {
    const SourceCheck check = CheckSource(path);
    if (check.result != SourceCheck::Result::Sound) {
        return false;
    }
    engine.fileType = SourceFileType(path, check, engine.fileType);
    engine.Stop();
    engine.FreeStream();
    engine.SetFile(WideFromUtf8(path));
    engine.OpenStream(true);
    engine.SetVolume(100);
    engine.Play();
    return engine.playing;
}

double PickToFirstSample(AudioEngine& engine, const twtest::AlsaFileSink& sink,
                         const std::string& path) {
    engine.Stop();
    engine.FreeStream();
    // What the device still held of the last pick has gone out by now.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const size_t from = sink.Frames();
    const Clock::time_point begin = Clock::now();
    if (!Pick(engine, path)) {
        std::fprintf(stderr, "%s can't be heard\n", path.c_str());
        std::exit(1);
    }
    while (!sink.HasSoundAfter(from)) {
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    return Milliseconds(begin);
}

double FfmpegFirstSecond(const std::string& path) {
    const std::string command =
        "ffmpeg -nostdin -loglevel error -i '" + path + "' -t 1 -f s16le -y /dev/null";
    const Clock::time_point begin = Clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "ffmpeg could not decode %s\n", path.c_str());
        std::exit(1);
    }
    return Milliseconds(begin);
}

} // namespace

int main(int argc, char** argv) {
    int rounds = 7;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--rounds" && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
        } else {
            files.emplace_back(argv[i]);
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: sources_bench [--rounds N] FILE...\n");
        return 2;
    }
    const twtest::AlsaFileSink sink(0.0);
    AudioEngine* engine = AudioEngine::Get();
    engine->AwaitOutput();
    if (!engine->initialised) {
        std::fprintf(stderr, "no device\n");
        return 1;
    }
    PickToFirstSample(*engine, sink, files.front());
    std::printf("pick to first sample at the device, against ffmpeg decoding the first second "
                "(medians of %d)\n",
                rounds);
    std::vector<double> ratios;
    for (const std::string& file : files) {
        std::vector<double> picks, floors;
        for (int i = 0; i < rounds; ++i) {
            floors.push_back(FfmpegFirstSecond(file));
            picks.push_back(PickToFirstSample(*engine, sink, file));
        }
        const double pick = Median(picks), floor = Median(floors);
        ratios.push_back(pick / floor);
        const std::string name = file.substr(file.find_last_of('/') + 1);
        std::printf("  %-12s pick %7.2f ms   ffmpeg %7.2f ms   %5.3f x anchor\n", name.c_str(),
                    pick, floor, pick / floor);
    }
    std::printf("  worst %5.3f x anchor, median %5.3f x anchor\n",
                *std::max_element(ratios.begin(), ratios.end()), Median(ratios));
    engine->Stop();
    engine->FreeStream();
    AudioEngine::Release();
    return 0;
}
