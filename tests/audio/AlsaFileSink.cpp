#include "AlsaFileSink.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace twtest {

namespace {
// The configuration stands alone, without the system's alsa.conf: that would bring in the
// PulseAudio and other plugins, which PortAudio then opens while it lists devices.
void UseConfig(const TempDir& dir, const std::string& text) {
    const std::string config = dir.File("asound.conf");
    std::ofstream(config) << text;
    setenv("ALSA_CONFIG_PATH", config.c_str(), 1);
}
} // namespace

AlsaFileSink::AlsaFileSink(double speed) : pipe(dir.File("out.raw")), pace(speed) {
    mkfifo(pipe.c_str(), 0600);
    UseConfig(dir, "pcm.default { type file slave { pcm { type null } } file \"" + pipe +
                       "\" format \"raw\" }\n");
    reader = std::thread([this] { Drain(); });
}

AlsaFileSink::~AlsaFileSink() {
    Unplug();
}

void AlsaFileSink::Unplug() {
    if (!reader.joinable()) {
        return;
    }
    stopping = true;
    // A reader waiting for a writer to open the pipe is let go by opening it ourselves. The
    // reader may be between closing the pipe and opening it again, when there is no reader for
    // our open to meet: knock until it has gone.
    while (!drained) {
        const int fd = open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            close(fd);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    reader.join();
}

void AlsaFileSink::RouteToNoDevice(const TempDir& dir) {
    UseConfig(dir, "pcm.default { type hw card 99 }\n");
}

void AlsaFileSink::Drain() {
    struct Done {
        std::atomic<bool>& flag;
        ~Done() { flag = true; }
    } done{drained};
    using Clock = std::chrono::steady_clock;
    const double bytesPerSecond = rate * 4 * pace;
    while (!stopping) {
        const int fd = open(pipe.c_str(), O_RDONLY);
        if (fd < 0) {
            return;
        }
        Clock::time_point due = Clock::now();
        char buffer[4096];
        while (!stopping) {
            // Wakes now and then to notice the end even while the device stays open.
            pollfd ready{fd, POLLIN, 0};
            if (poll(&ready, 1, 50) <= 0) {
                continue;
            }
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            {
                const std::lock_guard<std::mutex> lock(captureMutex);
                capture.insert(capture.end(), buffer, buffer + n);
            }
            if (pace > 0) {
                // After the device has been idle, pace from now rather than catch up.
                due = std::max(due, Clock::now() - std::chrono::milliseconds(20));
                due += std::chrono::duration_cast<Clock::duration>(
                    std::chrono::duration<double>(static_cast<double>(n) / bytesPerSecond));
                std::this_thread::sleep_until(due);
            }
        }
        close(fd);
    }
}

std::vector<int16_t> AlsaFileSink::Samples() const {
    const std::lock_guard<std::mutex> lock(captureMutex);
    std::vector<int16_t> samples(capture.size() / 4 * 2);
    std::copy(capture.begin(), capture.begin() + static_cast<std::ptrdiff_t>(samples.size() * 2),
              reinterpret_cast<char*>(samples.data()));
    return samples;
}

size_t AlsaFileSink::Frames() const {
    const std::lock_guard<std::mutex> lock(captureMutex);
    return capture.size() / 4;
}

bool AlsaFileSink::HasSoundAfter(size_t fromFrame) const {
    const std::lock_guard<std::mutex> lock(captureMutex);
    const size_t end = capture.size() / 4 * 4;
    return std::any_of(capture.begin() + static_cast<std::ptrdiff_t>(std::min(fromFrame * 4, end)),
                       capture.begin() + static_cast<std::ptrdiff_t>(end),
                       [](char byte) { return byte != 0; });
}

size_t CountNonZeroFrames(const std::vector<int16_t>& samples, size_t fromFrame) {
    size_t count = 0;
    for (size_t f = fromFrame; f < samples.size() / 2; ++f) {
        count += samples[f * 2] != 0 || samples[f * 2 + 1] != 0 ? 1 : 0;
    }
    return count;
}

size_t FirstNonZeroFrame(const std::vector<int16_t>& samples, size_t fromFrame) {
    size_t f = fromFrame;
    while (f < samples.size() / 2 && samples[f * 2] == 0 && samples[f * 2 + 1] == 0) {
        ++f;
    }
    return f;
}

int PeakBetween(const std::vector<int16_t>& samples, size_t fromFrame, size_t toFrame) {
    int peak = 0;
    for (size_t i = fromFrame * 2; i < std::min(toFrame * 2, samples.size()); ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    }
    return peak;
}

} // namespace twtest
