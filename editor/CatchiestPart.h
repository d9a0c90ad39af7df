// The editor's "Suggest the catchiest part": moves the cut onto the best range of the current
// ringtone's length, and on each further request onto the next alternative, round again after
// the last. The working file is analysed once, on a worker thread, the first time it is asked
// for; the window stays responsive meanwhile and the result arrives through the panel's queued
// calls. Owned by the panel, which tells it when the working file changes.
//
// Threads: every member runs on the user-interface thread; the worker touches nothing but its
// own copies and queues its result.
#pragma once

#include "editor/ChorusFinder.h"

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class twMediaEditControl;

class CatchiestPart {
public:
    explicit CatchiestPart(twMediaEditControl& panel);
    // Waits for a running analysis (a few seconds at most, for an hour of sound).
    ~CatchiestPart();
    CatchiestPart(const CatchiestPart&) = delete;
    CatchiestPart& operator=(const CatchiestPart&) = delete;

    // A new working file was loaded: what was found for the old one no longer counts.
    void Forget();
    // The next suggestion for the cut's present length (the inserted silence not counted).
    // False when there is nothing to do: no media, no sound in the ringtone, or an analysis
    // still running.
    bool Next();
    bool Busy() const { return worker.joinable(); }

private:
    struct Found {
        uint32_t generation = 0;
        std::shared_ptr<const ChromaCells> cells;
        int32_t seconds = 0;
        std::vector<RulerRange> ranges;
    };
    void Deliver(const Found& found);
    void Apply();

    twMediaEditControl& panel;
    std::thread worker;
    // Counts loads of the working file; a result of an earlier one is dropped.
    uint32_t generation = 0;
    std::shared_ptr<const ChromaCells> cells;
    int32_t rangeSeconds = 0;
    std::vector<RulerRange> ranges;
    size_t next = 0;
};
