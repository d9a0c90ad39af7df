// The value state of a range ruler without its window: the range, the two markers and the
// change callback, with the rules for setting and dragging values. twRuler derives from it
// and adds the drawing and the mouse; the command-line tool uses it bare to place the editor's
// markers through the same handlers as the window does.
//
// Threads: everything runs on the user-interface thread, except that the ringtone preview
// reads the cut ruler's markers from the audio layer's feeder thread; the markers are
// therefore atomics, written whole.
#pragma once

#include <atomic>
#include <cstdint>

// marker is 1 or 2. Results are ignored; a callback may call SetValues on any ruler.
using RulerChangeFn = void (*)(int32_t marker, int32_t newValue, int32_t oldValue, void* userData);

class RulerValues {
public:
    int32_t minValue = 0;
    int32_t maxValue = 0;
    // Marker 1 and marker 2. Audio thread (the cut ruler's).
    std::atomic<int32_t> startValue{0};
    std::atomic<int32_t> endValue{0};
    RulerChangeFn onChange = nullptr;
    void* changeUserData = nullptr;

    // Markers are not moved and nothing is reported.
    void SetRange(int32_t minimum, int32_t maximum);
    // Ignored when both values are already set or start > end. Otherwise stores both, then
    // reports marker 1 if the start changed and afterwards marker 2 if endValue (read again,
    // since the first report may have moved it) differs from the end held before the call.
    // No range check: the owner may park a value outside the range.
    void SetValues(int32_t start, int32_t end);
    // A drag of marker 1 or 2 onto value v: refused (false, nothing reported) when v lies
    // outside the range, equals the marker's value or would cross the other marker. Marker 1
    // moves as SetValues(v, endValue) does.
    bool DragTo(int32_t marker, int32_t v);

private:
    void ReportChange(int32_t marker, int32_t newValue, int32_t oldValue);
};
