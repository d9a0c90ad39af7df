#include "editor/LoudnessWorker.h"

#include <utility>

LoudnessWorker::LoudnessWorker(Deliver onResult)
    : deliver(std::move(onResult)), thread([this] { Run(); }) {}

LoudnessWorker::~LoudnessWorker() {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_one();
    thread.join();
}

uint32_t LoudnessWorker::Request(const EditedWave& wave, const RingtoneSound& sound) {
    auto copy = std::make_unique<EditedWave>();
    if (wave.loaded) {
        CopyEditedWave(wave, 0, *copy);
    }
    uint32_t generation = 0;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        generation = newest.load() + 1;
        newest = generation;
        waitingWave = std::move(copy);
        waitingSound = sound;
        waitingGeneration = generation;
    }
    wake.notify_one();
    return generation;
}

void LoudnessWorker::Run() {
    for (;;) {
        std::unique_ptr<EditedWave> wave;
        RingtoneSound sound;
        uint32_t generation = 0;
        {
            std::unique_lock<std::mutex> lock(mutex);
            wake.wait(lock, [this] { return stopping || waitingWave != nullptr; });
            if (stopping) {
                return;
            }
            wave = std::move(waitingWave);
            sound = waitingSound;
            generation = waitingGeneration;
        }
        // The rendering asks after every second whether to go on.
        const auto going = [this, generation](int32_t) { return !stopping && Newest(generation); };
        const Result result{generation, RingtoneLoudness::Measure(*wave, sound, 0, going)};
        if (!stopping && Newest(generation)) {
            deliver(result);
        }
    }
}
