// Measures the audio output layer against a bare PortAudio stream on the same device, ALSA's
// file device drained by a thread of this program:
// - CPU time per second of audio while a 44.1 kHz stereo procedure stream plays in real
//   time, without effects and with chorus, echo and reverb;
// - the time from Play (the device stopped, as after the editor's Stop) to the first frames
//   of the stream reaching the device, the device taking audio as fast as it comes.
// Usage: audio_bench [seconds per CPU run, default 5]
#include "AlsaFileSink.h"

#include "platform/AudioOutput.h"

#include <fcntl.h>
#include <portaudio.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int rate = twtest::AlsaFileSink::rate;

// One second of a 440 Hz stereo sine, played round and round.
struct Tone {
    std::vector<int16_t> samples;
    size_t position = 0;

    Tone() : samples(static_cast<size_t>(rate) * 2) {
        for (size_t i = 0; i < samples.size() / 2; ++i) {
            const auto v = static_cast<int16_t>(
                std::lround(8000 * std::sin(2 * std::numbers::pi * 440.0 * i / rate)));
            samples[i * 2] = v;
            samples[i * 2 + 1] = v;
        }
    }
    void Fill(int16_t* out, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            out[i] = samples[position];
            position = (position + 1) % samples.size();
        }
    }
};

uint32_t ToneProc(uint32_t, void* buffer, uint32_t length, void* user) {
    static_cast<Tone*>(user)->Fill(static_cast<int16_t*>(buffer), length / 2);
    return length;
}

int ToneCallback(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
                 PaStreamCallbackFlags, void* user) {
    static_cast<Tone*>(user)->Fill(static_cast<int16_t*>(output), frames * 2);
    return paContinue;
}

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Something that plays the tone: the layer or the bare stream.
struct Player {
    virtual ~Player() = default;
    virtual bool Open() = 0;
    virtual bool Start() = 0;
    virtual void Halt() = 0;
    virtual void Close() = 0;
};

struct LayerPlayer final : Player {
    bool effects = false;
    std::unique_ptr<AudioOutput> layer;
    uint32_t stream = 0;
    Tone tone;

    bool Open() override {
        layer = CreateSystemAudioOutput();
        if (!layer->Init(AudioOutput::defaultDevice, rate)) {
            return false;
        }
        stream = layer->CreateProcedureStream(rate, 2, ToneProc, &tone);
        if (effects) {
            layer->AddEffect(stream, AudioEffectKind::Chorus, 0);
            layer->AddEffect(stream, AudioEffectKind::Echo, 0);
            layer->AddEffect(stream, AudioEffectKind::Reverb, 0);
        }
        return stream != 0;
    }
    bool Start() override { return layer->Play(stream, true); }
    void Halt() override { layer->Stop(stream); }
    void Close() override { layer->Free(); }
};

struct BarePlayer final : Player {
    PaStream* stream = nullptr;
    Tone tone;

    bool Open() override {
        // PortAudio's JACK probe complains on stderr when no JACK server runs.
        std::fflush(stderr);
        const int saved = dup(STDERR_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        const bool initialised = Pa_Initialize() == paNoError;
        dup2(saved, STDERR_FILENO);
        close(saved);
        close(null);
        return initialised && Pa_OpenDefaultStream(&stream, 0, 2, paInt16, rate, 512, ToneCallback,
                                                   &tone) == paNoError;
    }
    bool Start() override { return Pa_StartStream(stream) == paNoError; }
    void Halt() override { Pa_StopStream(stream); }
    void Close() override {
        Pa_CloseStream(stream);
        Pa_Terminate();
    }
};

// Percent of one core per second of audio played in real time.
double CpuPercent(Player& player, double seconds) {
    twtest::AlsaFileSink sink(1.0);
    if (!player.Open() || !player.Start()) {
        std::fprintf(stderr, "no device\n");
        std::exit(1);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const size_t frames = sink.Frames();
    const double cpu = CpuSeconds();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const double used = CpuSeconds() - cpu;
    const double audio = static_cast<double>(sink.Frames() - frames) / rate;
    player.Halt();
    player.Close();
    return 100.0 * used / audio;
}

struct Latency {
    double median;
    double worst;
};

// Milliseconds from Start to the first sound at the device, over a number of starts.
Latency StartLatency(Player& player, int starts) {
    twtest::AlsaFileSink sink(0.0);
    if (!player.Open()) {
        std::fprintf(stderr, "no device\n");
        std::exit(1);
    }
    std::vector<double> times;
    for (int i = 0; i < starts; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const size_t from = sink.Frames();
        const Clock::time_point begin = Clock::now();
        player.Start();
        while (!sink.HasSoundAfter(from)) {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
        player.Halt();
    }
    player.Close();
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    constexpr int starts = 20;

    BarePlayer bare;
    LayerPlayer plain;
    LayerPlayer effects;
    effects.effects = true;
    const double anchorCpu = CpuPercent(bare, seconds);
    const double plainCpu = CpuPercent(plain, seconds);
    const double effectsCpu = CpuPercent(effects, seconds);
    std::printf("CPU per second of audio, %% of one core (%.1f s each, real-time pace)\n", seconds);
    std::printf("  anchor: bare PortAudio stream          %6.2f %%\n", anchorCpu);
    std::printf("  layer, no effects                      %6.2f %%  %5.2f x anchor, own %.2f %%\n",
                plainCpu, plainCpu / anchorCpu, plainCpu - anchorCpu);
    std::printf("  layer, chorus + echo + reverb          %6.2f %%  %5.2f x anchor, own %.2f %%\n",
                effectsCpu, effectsCpu / anchorCpu, effectsCpu - anchorCpu);

    BarePlayer bareStart;
    LayerPlayer layerStart;
    const Latency anchorLatency = StartLatency(bareStart, starts);
    const Latency layerLatency = StartLatency(layerStart, starts);
    std::printf("Start to first frames at the device, ms (%d starts, median / worst)\n", starts);
    std::printf("  anchor: Pa_StartStream                 %6.2f / %6.2f\n", anchorLatency.median,
                anchorLatency.worst);
    std::printf("  layer: Play with restart               %6.2f / %6.2f  %5.2f x anchor\n",
                layerLatency.median, layerLatency.worst,
                layerLatency.median / anchorLatency.median);
    return 0;
}
