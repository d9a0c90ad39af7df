// Measures the ringtone's loudness (RingtoneLoudness) on a thread of its own, so that the window
// stays responsive while the volume ruler's figure and phone loudness's gain are worked out
// after every change of the edit, the effects or the volume. A newer request supersedes an
// older one: the older stops within a second of its rendering and its result is dropped.
//
// Owned by the editor panel. Request, Newest and the destructor run on the owner's thread (the
// user-interface thread); `deliver` runs on the worker thread, which must hand the result back
// (the panel queues it with CallAfter). The worker reads its own copy of the wave's fields and
// only reads the working file.
#pragma once

#include "editor/RingtoneLoudness.h"
#include "editor/RingtoneSound.h"
#include "widgets/EditedWave.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class LoudnessWorker {
public:
    struct Result {
        // The request's number, from Request.
        uint32_t generation = 0;
        // With the gain that phone loudness needs (0 while it is off).
        RingtoneLoudness loudness;
    };
    // Hears each finished measurement that was the newest request when it finished; worker
    // thread.
    using Deliver = std::function<void(const Result&)>;

    explicit LoudnessWorker(Deliver deliver);
    // Stops a measurement under way (within a second of its rendering) and waits for it.
    ~LoudnessWorker();
    LoudnessWorker(const LoudnessWorker&) = delete;
    LoudnessWorker& operator=(const LoudnessWorker&) = delete;

    // Measures sound on wave's media and edit fields as they are now; returns the request's
    // number, which supersedes every earlier one.
    uint32_t Request(const EditedWave& wave, const RingtoneSound& sound);
    // Whether generation is still the newest request.
    bool Newest(uint32_t generation) const { return generation == newest.load(); }

private:
    void Run();

    Deliver deliver;
    // The number of the newest request; the worker reads it to know it was superseded.
    std::atomic<uint32_t> newest{0};
    std::atomic<bool> stopping{false};
    // Guarded by mutex: the newest request not yet taken by the worker.
    std::mutex mutex;
    std::condition_variable wake;
    std::unique_ptr<EditedWave> waitingWave;
    RingtoneSound waitingSound;
    uint32_t waitingGeneration = 0;
    std::thread thread;
};
