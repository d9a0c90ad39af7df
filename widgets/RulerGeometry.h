// The arithmetic that twRuler's painting, hit testing and dragging share, kept apart from the
// toolkit so that it runs in tests without a display. A value v covers the window columns
// (v - 1) x scale to v x scale right of the margin; markers are drawn a hotspot left of the
// middle of their value's column. Note the asymmetry: the marker position ignores minValue,
// the value mapping does not (every ruler of the editor has minimum 1).
#pragma once

#include <cstdint>
#include <string>

class RulerGeometry {
public:
    int32_t minValue = 0;
    int32_t maxValue = 0;
    int32_t rulerWidth = 0;
    int32_t margin = 0;
    int32_t scrollOffset = 0;

    // (rulerWidth - 2 x margin) / (maxValue - minValue + 1), single precision.
    float Scale() const;
    // value x scale - scale x 0.5 - hotspot, relative to the margin, before scrolling.
    float MarkerPosition(int32_t value, int32_t hotspot) const;
    // Window x of the marker bitmap's left edge, truncated toward zero.
    int32_t DrawnX(int32_t value, int32_t hotspot) const;
    // The value under window x, truncated toward zero; may lie outside minValue..maxValue
    // (the caller refuses those). A ruler without width or values maps everything to
    // minValue - 1.
    int32_t ValueAt(int32_t windowX) const;

    // Minutes and seconds as "%d:%d", neither padded: 90 gives "1:30", 60 gives "1:0".
    static std::string Label(int32_t seconds);
};
