#include "editor/CatchiestPart.h"

#include "editor/RingtoneSound.h"
#include "editor/twMediaEditControl.h"
#include "widgets/twRuler.h"
#include "widgets/twWaveGraph.h"

#include <wx/cursor.h>

CatchiestPart::CatchiestPart(twMediaEditControl& owner) : panel(owner) {}

CatchiestPart::~CatchiestPart() {
    if (worker.joinable()) {
        worker.join();
    }
}

void CatchiestPart::Forget() {
    ++generation;
    cells.reset();
    ranges.clear();
}

bool CatchiestPart::Next() {
    const int32_t seconds = SoundSeconds(panel.cutRuler->endValue - panel.cutRuler->startValue,
                                         panel.waveGraph->silenceLength);
    if (!panel.waveGraph->loaded || seconds < 1 || Busy()) {
        return false;
    }
    if (cells && seconds == rangeSeconds && !ranges.empty()) {
        next = (next + 1) % ranges.size();
        Apply();
        return true;
    }
    // Analysed already: only the search for the new length is left, which is quick.
    if (cells) {
        Deliver({generation, cells, seconds, ChorusFinder::Suggest(*cells, seconds)});
        return true;
    }
    panel.SetCursor(wxCursor(wxCURSOR_ARROWWAIT));
    Found job{generation, nullptr, seconds, {}};
    const std::string path = panel.waveGraph->MediaPath();
    worker = std::thread([this, job, path]() mutable {
        auto analysed = std::make_shared<ChromaCells>();
        if (analysed->Analyse(path) == WavError::None) {
            job.ranges = ChorusFinder::Suggest(*analysed, job.seconds);
            job.cells = std::move(analysed);
        }
        panel.CallAfter([this, job] { Deliver(job); });
    });
    return true;
}

void CatchiestPart::Deliver(const Found& found) {
    if (worker.joinable()) {
        worker.join();
        panel.SetCursor(wxNullCursor);
    }
    if (found.generation != generation || !found.cells || found.ranges.empty()) {
        return;
    }
    cells = found.cells;
    rangeSeconds = found.seconds;
    ranges = found.ranges;
    next = 0;
    Apply();
}

void CatchiestPart::Apply() {
    const int32_t length = panel.cutRuler->endValue - panel.cutRuler->startValue;
    const int32_t start = ranges[next].start;
    panel.MoveCut(start, start + length);
}
