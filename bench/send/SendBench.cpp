// send_bench WORKING.wav ROUNDS: run in a working folder with temp/ffmpeg. Times, from a warm
// page cache, with the medians of ROUNDS interleaved rounds:
//   1. the offline rendering of a 30-second ringtone with echo, reverb and chorus at volume 80,
//      the same with phone loudness (measuring and fitting the gain included), and without
//      them, in times faster than real time (the anchor is the sound's own length);
//   2. the Convert and Send button's path to a saved MP3 (render, convert through the console
//      and the runner, save beside and rename) against the same converter encoding the same
//      rendered WAV directly, started without a console and waited for.
#include "delivery/RingtoneFormat.h"
#include "delivery/RingtoneJob.h"
#include "delivery/SaveFile.h"
#include "editor/BareEditor.h"
#include "editor/RingtoneLoudness.h"
#include "platform/HiddenConsole.h"
#include "platform/linux/PtyConsole.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int32_t seconds = 30;

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Processor time of this thread: what the rendering costs, whoever else shares the machine.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The converter on its own: the job's arguments, no console, output to /dev/null.
bool BareEncode(const std::string& wav, const std::string& mp3) {
    const RingtoneFormat& format = *FindFormatByName("mp3");
    std::vector<std::string> args = {
        "temp/ffmpeg", "-nostdin", "-i",         wav,    "-y",           "-vn", "-f",
        format.muxer,  "-acodec",  format.codec, "-b:a", format.bitRate, mp3};
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const bool started = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return started && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: send_bench WORKING.wav ROUNDS\n");
        return 2;
    }
    const int rounds = std::max(1, std::atoi(argv[2]));
    SetProcessConsole(CreatePtyConsole());
    BareEditor bare;
    if (bare.Load(argv[1]) != WavError::None) {
        std::fprintf(stderr, "send_bench: %s can't be loaded\n", argv[1]);
        return 1;
    }
    bare.cut.SetValues(11, 11 + seconds);
    const RingtoneSound plain{11, 11 + seconds, {}};
    const RingtoneSound effects{
        11, 11 + seconds, {.chorus = true, .echo = true, .reverb = true, .volume = 80}};
    RingtoneSound loud = effects;
    loud.effects.phoneLoudness = true;
    const std::string wav = "bare-ringtone.wav";
    if (!RenderRingtone(bare.wave, plain, 0, wav)) {
        std::fprintf(stderr, "send_bench: the ringtone can't be rendered\n");
        return 1;
    }
    std::vector<double> renderEffects, renderEffectsCpu, renderLoud, renderLoudCpu, measureLoud,
        renderPlain, bareMp3, clickMp3;
    for (int round = -1; round < rounds; ++round) {
        auto start = Clock::now();
        const double cpuStart = ThreadSeconds();
        const bool rendered = RenderRingtone(bare.wave, effects, 0, "effects.wav");
        const double withEffectsCpu = ThreadSeconds() - cpuStart;
        const double withEffects = Since(start);
        start = Clock::now();
        const double loudCpuStart = ThreadSeconds();
        const bool renderedLoud = RenderRingtone(bare.wave, loud, 0, "loud.wav");
        const double withLoudnessCpu = ThreadSeconds() - loudCpuStart;
        const double withLoudness = Since(start);
        const double measureCpuStart = ThreadSeconds();
        RingtoneLoudness::Measure(bare.wave, loud, 0);
        const double measureCpu = ThreadSeconds() - measureCpuStart;
        start = Clock::now();
        RenderRingtone(bare.wave, plain, 0, "plain.wav");
        const double withoutEffects = Since(start);
        start = Clock::now();
        const bool encoded = BareEncode(wav, "bare.mp3");
        const double bareSeconds = Since(start);
        start = Clock::now();
        bool saved = false;
        {
            RingtoneJob job;
            saved = job.Make(bare.wave, plain, *FindFormatByName("mp3"), "bench.wav", nullptr,
                             nullptr) &&
                    SaveFileAtomically(job.filePath, "saved.mp3");
        }
        const double clickSeconds = Since(start);
        if (!rendered || !renderedLoud || !encoded || !saved) {
            std::fprintf(stderr, "send_bench: a run failed\n");
            return 1;
        }
        if (round >= 0) { // the first round warms up
            renderEffects.push_back(withEffects);
            renderEffectsCpu.push_back(withEffectsCpu);
            renderLoud.push_back(withLoudness);
            renderLoudCpu.push_back(withLoudnessCpu);
            measureLoud.push_back(measureCpu);
            renderPlain.push_back(withoutEffects);
            bareMp3.push_back(bareSeconds);
            clickMp3.push_back(clickSeconds);
        }
    }
    const double e = Median(renderEffects), ec = Median(renderEffectsCpu);
    const double p = Median(renderPlain), l = Median(renderLoud), lc = Median(renderLoudCpu);
    const double m = Median(measureLoud);
    const double b = Median(bareMp3), c = Median(clickMp3);
    std::printf("send benchmark: medians of %d rounds, a %d-second ringtone\n", rounds, seconds);
    std::printf("  offline render, echo+reverb+chorus  %7.4f s  %7.0f x real time  (goal: at "
                "least 200)\n",
                e, seconds / e);
    std::printf("  the same, processor time            %7.4f s  %7.0f x real time  (load on the "
                "machine left out)\n",
                ec, seconds / ec);
    std::printf("  the same with phone loudness        %7.4f s  %7.0f x real time  (goal: at "
                "least 200)\n",
                l, seconds / l);
    std::printf("  the same, processor time            %7.4f s  %7.0f x real time  (%.2f x the "
                "render without loudness)\n",
                lc, seconds / lc, lc / ec);
    std::printf(
        "  its measurement alone, processor    %7.4f s  (the window's, after each change)\n", m);
    std::printf("  offline render, plain               %7.4f s  %7.0f x real time\n", p,
                seconds / p);
    std::printf("  MP3: bare ffmpeg on the same WAV    %7.3f s  (anchor)\n", b);
    std::printf("  MP3: click to saved file            %7.3f s  %5.3f x bare, %+.0f ms over "
                "1.2 x bare  (goal: at most +100)\n",
                c, c / b, (c - 1.2 * b) * 1000);
    SetProcessConsole(nullptr);
    return 0;
}
